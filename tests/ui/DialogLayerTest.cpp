#include "ComboBox.h"
#include "DataExchange.h"
#include "Dialog.h"
#include "DialogTestResource.h"
#include "ListCtrl.h"
#include "MessageBox.h"
#include "MessageBoxCloser.h"
#include "WinApp.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT kRunStep = WM_APP + 10;

// A dialog whose behaviour each test plugs in.
class TestDlg : public CDialog {
public:
    explicit TestDlg(UINT templateId = IDD_TEST_HIDDEN) : CDialog(templateId) {}

    std::function<void(TestDlg&)> onInit;
    std::function<bool(TestDlg&, UINT, WPARAM, LPARAM)> onMessage;
    std::function<bool(TestDlg&, const MSG&)> preTranslate;
    std::function<void(CDataExchange*)> exchange;
    std::vector<UINT> keyMessagesSeen;
    int showCount = 0;
    // Whether the window was still on screen at each OnModalRunEnded.
    std::vector<bool> visibleAtRunEnd;

    using CDialog::Default;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (onInit) {
            onInit(*this);
        }
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        if (exchange) {
            exchange(pDX);
        }
    }
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_SHOWWINDOW && wParam) {
            ++showCount;
        }
        if (onMessage && onMessage(*this, message, wParam, lParam)) {
            *result = 0;
            return true;
        }
        return CDialog::OnWndMsg(message, wParam, lParam, result);
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) {
            keyMessagesSeen.push_back(msg->message);
        }
        return preTranslate && preTranslate(*this, *msg);
    }
    void OnModalRunEnded() override {
        visibleAtRunEnd.push_back(::IsWindowVisible(m_hWnd) != FALSE);
    }
};

// Runs `step` once the dialog's loop is going.
void AtFirstStep(TestDlg& dlg, std::function<void(TestDlg&)> step) {
    dlg.onInit = [](TestDlg& d) { ::PostMessageA(d.m_hWnd, kRunStep, 0, 0); };
    dlg.onMessage = [step](TestDlg& d, UINT message, WPARAM, LPARAM) {
        if (message != kRunStep) {
            return false;
        }
        step(d);
        return true;
    };
}

TEST(DialogModalRun, EndDialogFromInitialisationEndsAtOnceWithoutShowing) {
    TestDlg dlg;
    bool visibleDuringInit = true;
    dlg.onInit = [&](TestDlg& d) {
        visibleDuringInit = ::IsWindowVisible(d.m_hWnd) != FALSE;
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_FALSE(visibleDuringInit);
    EXPECT_EQ(0, dlg.showCount);
    EXPECT_EQ(nullptr, dlg.m_hWnd) << "the window is destroyed when the run ends";
}

TEST(DialogModalRun, VisibleTemplateThatEndsInInitialisationNeverShows) {
    TestDlg dlg(IDD_TEST_VISIBLE);
    dlg.onInit = [](TestDlg& d) { d.EndDialog(7); };
    EXPECT_EQ(7, dlg.DoModal());
    EXPECT_EQ(0, dlg.showCount);
}

TEST(DialogModalRun, HiddenTemplateShowsOnceTheQueueIsIdle) {
    TestDlg dlg;
    bool visibleAtPostedStep = true;
    bool visibleWhenIdle = false;
    dlg.onInit = [](TestDlg& d) { ::PostMessageA(d.m_hWnd, kRunStep, 0, 0); };
    dlg.onMessage = [&](TestDlg& d, UINT message, WPARAM, LPARAM) {
        if (message == kRunStep) {
            visibleAtPostedStep = ::IsWindowVisible(d.m_hWnd) != FALSE;
            // A timer fires only when nothing else is queued.
            ::SetTimer(d.m_hWnd, 1, 10, nullptr);
            return true;
        }
        if (message == WM_TIMER) {
            ::KillTimer(d.m_hWnd, 1);
            visibleWhenIdle = ::IsWindowVisible(d.m_hWnd) != FALSE;
            d.EndDialog(IDCANCEL);
            return true;
        }
        return false;
    };
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_FALSE(visibleAtPostedStep);
    EXPECT_TRUE(visibleWhenIdle);
}

TEST(DialogModalRun, MissingTemplateFailsWithMinusOne) {
    TestDlg dlg(4321);
    EXPECT_EQ(-1, dlg.DoModal());
}

TEST(DialogModalRun, OkAndCancelCommandsEndWithTheirCodes) {
    TestDlg ok;
    AtFirstStep(ok, [](TestDlg& d) { ::PostMessageA(d.m_hWnd, WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(IDOK, ok.DoModal());

    TestDlg cancel;
    AtFirstStep(cancel, [](TestDlg& d) { ::PostMessageA(d.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDCANCEL, cancel.DoModal());
}

TEST(DialogModalRun, TheEndOfTheRunIsToldOnceWhileTheWindowIsStillShown) {
    TestDlg dlg(IDD_TEST_VISIBLE);
    AtFirstStep(dlg, [](TestDlg& d) { ::PostMessageA(d.m_hWnd, WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(dlg.visibleAtRunEnd, std::vector<bool>{true});
}

TEST(DialogModalRun, CloseBoxEndsWithCancel) {
    TestDlg dlg;
    AtFirstStep(dlg, [](TestDlg& d) { ::PostMessageA(d.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
}

TEST(DialogKeyboard, PreTranslateSeesKeyDownBeforeTheDialogManager) {
    TestDlg dlg;
    AtFirstStep(dlg, [](TestDlg& d) {
        HWND edit = d.GetDlgItem(IDC_TEST_EDIT);
        ::SetFocus(edit);
        ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
        ::PostMessageA(edit, WM_SYSKEYDOWN, VK_F4, 0x20000000);
        ::PostMessageA(d.m_hWnd, kRunStep + 1, 0, 0);
    });
    dlg.preTranslate = [](TestDlg&, const MSG& msg) {
        return msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    };
    auto firstStep = dlg.onMessage;
    dlg.onMessage = [firstStep](TestDlg& d, UINT message, WPARAM w, LPARAM l) {
        if (message == kRunStep + 1) {
            d.EndDialog(42);
            return true;
        }
        return firstStep(d, message, w, l);
    };
    EXPECT_EQ(42, dlg.DoModal()) << "a consumed Esc must not cancel the dialog";
    EXPECT_EQ((std::vector<UINT>{WM_KEYDOWN, WM_SYSKEYDOWN}), dlg.keyMessagesSeen);
}

TEST(DialogKeyboard, KeysNotConsumedReachTheDialogManager) {
    TestDlg dlg;
    AtFirstStep(dlg, [](TestDlg& d) {
        HWND edit = d.GetDlgItem(IDC_TEST_EDIT);
        ::SetFocus(edit);
        ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(std::vector<UINT>{WM_KEYDOWN}, dlg.keyMessagesSeen);
}

TEST(DialogNesting, InnerRunKeepsDispatchingMessagesPostedToOtherWindows) {
    TestDlg outer;
    TestDlg inner;
    int deliveredToOuter = 0;
    bool outerEnabledDuringInner = true;
    CWinApp app;
    app.m_pMainWnd = &outer;

    inner.onInit = [&](TestDlg& d) {
        outerEnabledDuringInner = ::IsWindowEnabled(outer.m_hWnd) != FALSE;
        EXPECT_EQ(outer.m_hWnd, ::GetWindow(d.m_hWnd, GW_OWNER));
        ::PostMessageA(outer.m_hWnd, kRunStep + 2, 0, 0);
    };
    outer.onInit = [](TestDlg& d) { ::PostMessageA(d.m_hWnd, kRunStep, 0, 0); };
    outer.onMessage = [&](TestDlg& d, UINT message, WPARAM, LPARAM) {
        if (message == kRunStep) {
            EXPECT_EQ(5, inner.DoModal());
            EXPECT_TRUE(::IsWindowEnabled(d.m_hWnd)) << "the owner is enabled again";
            d.EndDialog(IDOK);
            return true;
        }
        if (message == kRunStep + 2) {
            ++deliveredToOuter;
            inner.EndDialog(5);
            return true;
        }
        return false;
    };
    EXPECT_EQ(IDOK, outer.DoModal());
    EXPECT_EQ(1, deliveredToOuter);
    EXPECT_FALSE(outerEnabledDuringInner);
}

TEST(DialogNesting, MessageBoxKeepsDispatchingMessagesPostedToTheDialog) {
    TestDlg dlg;
    int delivered = 0;
    MessageBoxCloser closer;
    dlg.onInit = [](TestDlg& d) { ::PostMessageA(d.m_hWnd, kRunStep, 0, 0); };
    dlg.onMessage = [&](TestDlg& d, UINT message, WPARAM, LPARAM) {
        if (message == kRunStep) {
            ::PostMessageA(d.m_hWnd, kRunStep + 3, 0, 0);
            ShowMessageBox("box");
            d.EndDialog(IDOK);
            return true;
        }
        if (message == kRunStep + 3) {
            ++delivered;
            return true;
        }
        return false;
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, delivered);
    ASSERT_EQ(1u, closer.Boxes().size());
}

TEST(DialogOwnership, DialogWithoutParentIsOwnedByTheMainWindow) {
    TestDlg host;
    TestDlg owned;
    CWinApp app;
    app.m_pMainWnd = &host;
    HWND ownerSeen = nullptr;
    HWND hostWindow = nullptr;
    owned.onInit = [&](TestDlg& d) {
        ownerSeen = ::GetWindow(d.m_hWnd, GW_OWNER);
        d.EndDialog(IDOK);
    };
    host.onInit = [&](TestDlg& d) {
        hostWindow = d.m_hWnd;
        owned.DoModal();
        d.EndDialog(IDOK);
    };
    host.DoModal();
    ASSERT_NE(nullptr, hostWindow);
    EXPECT_EQ(hostWindow, ownerSeen);
}

namespace {
int IconWidth(HWND window, WPARAM which) {
    const HICON icon = reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, which, 0));
    ICONINFO info = {};
    if (icon == nullptr || !::GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap = {};
    ::GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    for (HBITMAP part : {info.hbmColor, info.hbmMask}) {
        if (part != nullptr) {
            ::DeleteObject(part);
        }
    }
    return bitmap.bmWidth;
}
} // namespace

TEST(DialogScale, WindowIconsAreLoadedAgainForTheNewScale) {
    TestDlg dlg;
    int smallBefore = 0, smallAfter = 0, bigAfter = 0;
    AtFirstStep(dlg, [&](TestDlg& d) {
        d.SetWindowIcons(IDI_TEST_ICON);
        smallBefore = IconWidth(d.m_hWnd, ICON_SMALL);
        // As the platform sends it when the window reaches a 200 % monitor.
        RECT suggested = {};
        ::GetWindowRect(d.m_hWnd, &suggested);
        ::SendMessageA(d.m_hWnd, WM_DPICHANGED, MAKEWPARAM(192, 192),
                       reinterpret_cast<LPARAM>(&suggested));
        smallAfter = IconWidth(d.m_hWnd, ICON_SMALL);
        bigAfter = IconWidth(d.m_hWnd, ICON_BIG);
        d.EndDialog(IDOK);
    });
    dlg.DoModal();
    EXPECT_EQ(smallBefore, ::GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(smallAfter, 2 * ::GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(bigAfter, 2 * ::GetSystemMetrics(SM_CXICON));
}

TEST(DialogMessageBox, HasOkExclamationAndTheApplicationNameAsCaption) {
    MessageBoxCloser closer;
    EXPECT_EQ(IDOK, ShowMessageBox("テキスト"));
    ASSERT_EQ(1u, closer.Boxes().size());
    EXPECT_EQ(GetAppName(), closer.Boxes()[0].caption);
    EXPECT_EQ("テキスト", closer.Boxes()[0].text);
    EXPECT_TRUE(closer.Boxes()[0].hasOnlyOk);
    EXPECT_TRUE(closer.Boxes()[0].hasExclamationIcon);
}

TEST(DialogMessageBox, ApplicationNameIsTheTestExecutablesName) {
    EXPECT_EQ("dialog_tests", GetAppName());
}

// Runs `body` inside the dialog's loop and ends it.
void WithDialog(TestDlg& dlg, std::function<void(TestDlg&)> body) {
    AtFirstStep(dlg, [body](TestDlg& d) {
        body(d);
        d.EndDialog(IDOK);
    });
    dlg.DoModal();
}

TEST(DialogDataExchange, CheckBoxReadsZeroOrOne) {
    TestDlg dlg;
    int value = 1;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Check(pDX, IDC_TEST_CHECK, value); };
    std::vector<int> read;
    WithDialog(dlg, [&](TestDlg& d) {
        value = 0;
        ASSERT_TRUE(d.UpdateData(true));
        read.push_back(value);
        ::SendMessageA(d.GetDlgItem(IDC_TEST_CHECK), BM_SETCHECK, BST_UNCHECKED, 0);
        ASSERT_TRUE(d.UpdateData(true));
        read.push_back(value);
    });
    EXPECT_EQ((std::vector<int>{1, 0}), read) << "the initial write checked the box";
}

TEST(DialogDataExchange, RadioGroupReadsTheIndexOfTheCheckedButton) {
    TestDlg dlg;
    int value = 2;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Radio(pDX, IDC_TEST_RADIO_A, value); };
    std::vector<int> read;
    bool otherGroupTouched = true;
    WithDialog(dlg, [&](TestDlg& d) {
        EXPECT_EQ(BST_CHECKED, ::SendMessageA(d.GetDlgItem(IDC_TEST_RADIO_C), BM_GETCHECK, 0, 0));
        ::SendMessageA(d.GetDlgItem(IDC_TEST_RADIO_C), BM_SETCHECK, BST_UNCHECKED, 0);
        ::SendMessageA(d.GetDlgItem(IDC_TEST_RADIO_B), BM_SETCHECK, BST_CHECKED, 0);
        ASSERT_TRUE(d.UpdateData(true));
        read.push_back(value);
        ::SendMessageA(d.GetDlgItem(IDC_TEST_RADIO_B), BM_SETCHECK, BST_UNCHECKED, 0);
        ::SendMessageA(d.GetDlgItem(IDC_TEST_OTHER_RADIO), BM_SETCHECK, BST_CHECKED, 0);
        ASSERT_TRUE(d.UpdateData(true));
        read.push_back(value);
        value = 0;
        d.UpdateData(false);
        otherGroupTouched =
            ::SendMessageA(d.GetDlgItem(IDC_TEST_OTHER_RADIO), BM_GETCHECK, 0, 0) != BST_CHECKED;
    });
    EXPECT_EQ((std::vector<int>{1, -1}), read)
        << "a checked button of the next group does not count";
    EXPECT_FALSE(otherGroupTouched) << "writing stops at the next group";
}

TEST(DialogDataExchange, ComboIndexAndInitialisationDataItems) {
    TestDlg dlg;
    int index = 1;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_CBIndex(pDX, IDC_TEST_COMBO, index); };
    std::vector<std::string> items;
    int readBack = -5;
    WithDialog(dlg, [&](TestDlg& d) {
        CComboBox combo;
        combo.Attach(d.GetDlgItem(IDC_TEST_COMBO));
        for (int i = 0; i < combo.GetCount(); ++i) {
            items.push_back(combo.GetLBText(i));
        }
        combo.SetCurSel(-1);
        ASSERT_TRUE(d.UpdateData(true));
        readBack = index;
    });
    EXPECT_EQ((std::vector<std::string>{"first", "second"}), items);
    EXPECT_EQ(-1, readBack) << "no selection reads as -1";
}

TEST(DialogDataExchange, NumberEditWritesDecimalAndReadsSignedBlankedText) {
    TestDlg dlg;
    int value = -12;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_TEST_EDIT, value); };
    std::string written;
    WithDialog(dlg, [&](TestDlg& d) {
        written = d.GetDlgItemText(IDC_TEST_EDIT);
        d.SetDlgItemText(IDC_TEST_EDIT, "  +300 ");
        ASSERT_TRUE(d.UpdateData(true));
    });
    EXPECT_EQ("-12", written);
    EXPECT_EQ(300, value);
}

TEST(DialogDataExchange, BadNumberShowsTheMessageSelectsTheEditAndStopsTheRead) {
    TestDlg dlg;
    int first = 1;
    int second = 2;
    int check = 0;
    dlg.exchange = [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_TEST_EDIT, first);
        DDX_Text(pDX, IDC_TEST_EDIT2, second);
        DDX_Check(pDX, IDC_TEST_CHECK, check);
    };
    MessageBoxCloser closer;
    bool result = true;
    bool focusOnBadEdit = false;
    DWORD selStart = 99;
    DWORD selEnd = 0;
    WithDialog(dlg, [&](TestDlg& d) {
        d.SetDlgItemText(IDC_TEST_EDIT, "5");
        d.SetDlgItemText(IDC_TEST_EDIT2, "x7");
        ::SendMessageA(d.GetDlgItem(IDC_TEST_CHECK), BM_SETCHECK, BST_CHECKED, 0);
        ::SetFocus(d.GetDlgItem(IDC_TEST_EDIT));
        result = d.UpdateData(true);
        focusOnBadEdit = ::GetFocus() == d.GetDlgItem(IDC_TEST_EDIT2);
        ::SendMessageA(d.GetDlgItem(IDC_TEST_EDIT2), EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                       reinterpret_cast<LPARAM>(&selEnd));
    });
    EXPECT_FALSE(result);
    EXPECT_EQ(5, first) << "fields before the bad one are read";
    EXPECT_EQ(2, second);
    EXPECT_EQ(0, check) << "fields after the bad one are not read";
    ASSERT_EQ(1u, closer.Boxes().size());
    EXPECT_EQ("整数を入力してください。", closer.Boxes()[0].text);
    EXPECT_TRUE(focusOnBadEdit);
    EXPECT_EQ(0u, selStart);
    EXPECT_EQ(2u, selEnd);
}

TEST(DialogDataExchange, OkStaysOpenWhileTheReadFails) {
    TestDlg dlg;
    int value = 0;
    int okAttempts = 0;
    dlg.exchange = [&](CDataExchange* pDX) {
        if (pDX->m_bSaveAndValidate) {
            ++okAttempts;
        }
        DDX_Text(pDX, IDC_TEST_EDIT, value);
    };
    MessageBoxCloser closer;
    AtFirstStep(dlg, [](TestDlg& d) {
        d.SetDlgItemText(IDC_TEST_EDIT, "");
        ::SendMessageA(d.m_hWnd, WM_COMMAND, IDOK, 0);
        d.SetDlgItemText(IDC_TEST_EDIT, "9");
        ::SendMessageA(d.m_hWnd, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(2, okAttempts);
    EXPECT_EQ(9, value);
    EXPECT_EQ(1u, closer.Boxes().size());
}

TEST(DialogControls, ListRowsTextsAndSelection) {
    TestDlg dlg;
    CListCtrl list;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Control(pDX, IDC_TEST_LIST, list); };
    WithDialog(dlg, [&](TestDlg&) {
        EXPECT_EQ(0, list.InsertColumn(0, "入力", LVCFMT_LEFT, 50));
        EXPECT_EQ(1, list.InsertColumn(1, "変換後", LVCFMT_LEFT, 50));
        EXPECT_EQ(0, list.InsertItem(0, ""));
        EXPECT_EQ(1, list.InsertItem(1, ""));
        EXPECT_TRUE(list.SetItemText(1, 0, "ノート"));
        EXPECT_TRUE(list.SetItemText(1, 1, std::string(300, 'k')));
        EXPECT_EQ("ノート", list.GetItemText(1, 0));
        EXPECT_EQ(std::string(300, 'k'), list.GetItemText(1, 1)) << "long texts come back whole";
        EXPECT_EQ(2, list.GetItemCount());
        EXPECT_EQ(0, list.GetSelectedCount());
        list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        EXPECT_EQ(1, list.GetSelectedCount());
        EXPECT_EQ(1, list.GetNextItem(-1, LVNI_SELECTED));
        EXPECT_TRUE(list.DeleteItem(0));
        EXPECT_EQ("ノート", list.GetItemText(0, 0));
        list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
        EXPECT_NE(0u, list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
    });
}

TEST(DialogControls, ComboExactSearchIgnoresLetterCase) {
    TestDlg dlg;
    CComboBox combo;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_Control(pDX, IDC_TEST_COMBO, combo); };
    WithDialog(dlg, [&](TestDlg&) {
        EXPECT_EQ(2, combo.AddString("MIDI Device"));
        EXPECT_EQ(2, combo.FindStringExact(-1, "midi device"));
        EXPECT_EQ(CB_ERR, combo.FindStringExact(-1, "MIDI"));
        combo.SetCurSel(2);
        EXPECT_EQ(2, combo.GetCurSel());
        EXPECT_EQ("MIDI Device", combo.GetLBText(2));
    });
}

} // namespace
