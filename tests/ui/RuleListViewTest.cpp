// The settings window's rule list with owner data: texts and type-ahead
// answered from the table, columns and rows at every scale.
#include "ChangeTable.h"
#include "Dpi.h"
#include "ListCtrl.h"
#include "RuleListView.h"
#include "StringUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr const char* kHostClass = "RuleListViewTestHost";

// An ANSI window that hands its list's questions to the view, as the
// settings window does.
LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<CRuleListView*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (message == WM_NOTIFY && view != nullptr &&
        view->OnNotify(*reinterpret_cast<const NMHDR*>(lParam), &result)) {
        return result;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// A report list with owner data, 300 x 200 pixels, in a hidden host.
class RuleListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = HostProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kHostClass;
        ::RegisterClassA(&windowClass); // fails harmlessly from the second test on
        m_host = ::CreateWindowExA(0, kHostClass, "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                   windowClass.hInstance, nullptr);
        ASSERT_NE(nullptr, m_host);
        ::SetWindowLongPtrA(m_host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&view));
        list.m_hWnd = ::CreateWindowExA(0, WC_LISTVIEWA, "",
                                        WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0,
                                        300, 200, m_host, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(nullptr, list.m_hWnd);
    }
    void TearDown() override {
        if (m_host != nullptr) {
            ::DestroyWindow(m_host);
        }
    }

    CChangeTableItem* AddRule(int note) {
        auto* rule = new CChangeTableItem;
        rule->NoteNumber = rule->NoteNumberEnd = static_cast<std::uint8_t>(note);
        table.Add(rule);
        return rule;
    }
    std::string Text(int row, int column, int bufferSize = 256) const {
        std::string buffer(static_cast<std::size_t>(bufferSize), '?');
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = &buffer[0];
        item.cchTextMax = bufferSize;
        ::SendMessageA(list.m_hWnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                       reinterpret_cast<LPARAM>(&item));
        return item.pszText;
    }
    int Find(const char* text, UINT flags, int start) const {
        LVFINDINFOA find = {};
        find.flags = flags;
        find.psz = text;
        return static_cast<int>(::SendMessageA(list.m_hWnd, LVM_FINDITEMA,
                                               static_cast<WPARAM>(start),
                                               reinterpret_cast<LPARAM>(&find)));
    }
    int ColumnWidths() const {
        return static_cast<int>(::SendMessageA(list.m_hWnd, LVM_GETCOLUMNWIDTH, 0, 0) +
                                ::SendMessageA(list.m_hWnd, LVM_GETCOLUMNWIDTH, 1, 0));
    }
    int RowHeight() const {
        RECT row = {};
        row.left = LVIR_BOUNDS;
        ::SendMessageA(list.m_hWnd, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        return row.bottom - row.top;
    }

    CChangeTable table;
    CListCtrl list;
    CRuleListView view{list, table};

private:
    HWND m_host = nullptr;
};

} // namespace

TEST_F(RuleListViewTest, RowsShowTheTableAsItChanges) {
    AddRule(61);
    CChangeTableItem* second = AddRule(62);
    view.SetUp();
    EXPECT_EQ(2, list.GetItemCount());
    EXPECT_EQ("Note# 62", Text(1, 0));
    EXPECT_EQ(second->GetOutputText(), Text(1, 1));
    // A short buffer gets whole characters only.
    const std::string output = second->GetOutputText();
    ASSERT_GE(output.size(), 4u);
    ASSERT_TRUE(IsShiftJisLeadByte(static_cast<unsigned char>(output[0])));
    EXPECT_EQ(output.substr(0, 2), Text(1, 1, 4));

    AddRule(63);
    ASSERT_TRUE(view.ShowAdded(2));
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_EQ((std::vector<int>{2}), view.SelectedRows());
    EXPECT_NE(0u, list.GetItemState(2, LVIS_FOCUSED));

    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ((std::vector<int>{0, 2}), view.SelectedRows());
    delete table.GetAt(0);
    table.RemoveAt(0);
    view.ShowRemoved();
    EXPECT_EQ(2, list.GetItemCount());
    EXPECT_EQ(0, list.GetSelectedCount());
    EXPECT_EQ("Note# 63", Text(1, 0));
}

TEST_F(RuleListViewTest, TypingFindsTheNextRowByItsInputText) {
    AddRule(61);
    AddRule(62)->InputKind = CChangeTableItem::ProgramChange;
    AddRule(63);
    view.SetUp();
    EXPECT_EQ(1, Find("pc", LVFI_PARTIAL | LVFI_STRING, 0)) << "letter case does not matter";
    EXPECT_EQ(2, Find("Note", LVFI_PARTIAL | LVFI_STRING, 1));
    EXPECT_EQ(0, Find("Note# 61", LVFI_STRING | LVFI_WRAP, 1));
    EXPECT_EQ(-1, Find("Note# 61", LVFI_STRING, 1));
    EXPECT_EQ(-1, Find("Note# 6", LVFI_STRING, 0)) << "without LVFI_PARTIAL the whole text";
}

TEST_F(RuleListViewTest, ColumnsAndRowsFollowTheScale) {
    AddRule(61);
    view.SetUp();
    const UINT dpi = WindowDpi(list.m_hWnd);
    EXPECT_EQ(list.GetClientWidth() - SystemMetricForDpi(SM_CXVSCROLL, dpi), ColumnWidths());
    // A row is the state image's height, plus the grid line below it.
    const int imageHeight = ::MulDiv(CRuleListView::kRowHeight, static_cast<int>(dpi), 96);
    const int before = RowHeight();
    EXPECT_GE(before, imageHeight);
    EXPECT_LE(before, imageHeight + 1);

    // At 200 % the dialog manager has made the list larger first.
    ASSERT_TRUE(::SetWindowPos(list.m_hWnd, nullptr, 0, 0, 600, 400, SWP_NOZORDER | SWP_NOMOVE));
    view.OnDpiChanged(192);
    EXPECT_EQ(list.GetClientWidth() - SystemMetricForDpi(SM_CXVSCROLL, 192), ColumnWidths());
    EXPECT_EQ(before - imageHeight + 2 * CRuleListView::kRowHeight, RowHeight());
}
