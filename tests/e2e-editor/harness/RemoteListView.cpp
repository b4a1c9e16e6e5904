#include "RemoteListView.h"

#include <commctrl.h>

#include <algorithm>

namespace {
constexpr SIZE_T kTextSize = 1024;
constexpr SIZE_T kBufferSize = sizeof(LVITEMA) + kTextSize;
constexpr unsigned kSendTimeoutMs = 5000;
} // namespace

RemoteListView::RemoteListView(HWND list) : m_list(list) {
    DWORD processId = 0;
    if (list == nullptr || GetWindowThreadProcessId(list, &processId) == 0) {
        return;
    }
    m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                            processId);
    if (m_process == nullptr) {
        return;
    }
    m_buffer = static_cast<char*>(
        VirtualAllocEx(m_process, nullptr, kBufferSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
}

RemoteListView::~RemoteListView() {
    if (m_buffer != nullptr) {
        VirtualFreeEx(m_process, m_buffer, 0, MEM_RELEASE);
    }
    if (m_process != nullptr) {
        CloseHandle(m_process);
    }
}

LRESULT RemoteListView::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(m_list, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

int RemoteListView::RowCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT, 0, 0)); }

int RemoteListView::SelectedCount() const {
    return static_cast<int>(Send(LVM_GETSELECTEDCOUNT, 0, 0));
}

std::string RemoteListView::Text(int row, int column) const {
    if (!IsValid()) {
        return "<no access>";
    }
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = m_buffer + sizeof(LVITEMA);
    item.cchTextMax = static_cast<int>(kTextSize);
    const char empty[1] = {};
    if (!WriteProcessMemory(m_process, m_buffer, &item, sizeof item, nullptr) ||
        !WriteProcessMemory(m_process, item.pszText, empty, sizeof empty, nullptr)) {
        return "<no access>";
    }
    const LRESULT length =
        Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_buffer));
    if (length < 0) {
        return "<no answer>";
    }
    char text[kTextSize] = {};
    if (!ReadProcessMemory(m_process, item.pszText, text, kTextSize, nullptr)) {
        return "<no access>";
    }
    text[kTextSize - 1] = '\0';
    return text;
}

std::vector<std::vector<std::string>> RemoteListView::Rows(int columns) const {
    std::vector<std::vector<std::string>> rows;
    const int count = RowCount();
    for (int row = 0; row < count; ++row) {
        std::vector<std::string> texts;
        for (int column = 0; column < columns; ++column) {
            texts.push_back(Text(row, column));
        }
        rows.push_back(texts);
    }
    return rows;
}

bool RemoteListView::IsSelected(int row) const {
    return (Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

bool RemoteListView::IsFocused(int row) const {
    return (Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_FOCUSED) & LVIS_FOCUSED) != 0;
}

std::vector<int> RemoteListView::SelectedRows() const {
    std::vector<int> rows;
    const int count = RowCount();
    for (int row = 0; row < count; ++row) {
        if (IsSelected(row)) {
            rows.push_back(row);
        }
    }
    return rows;
}

bool RemoteListView::SetState(int row, UINT state, UINT mask) const {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    if (!IsValid() || !WriteProcessMemory(m_process, m_buffer, &item, sizeof item, nullptr)) {
        return false;
    }
    return Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_buffer)) ==
           TRUE;
}

bool RemoteListView::Select(const std::vector<int>& rows) const {
    // Row -1 stands for every row.
    if (!SetState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED)) {
        return false;
    }
    for (int row : rows) {
        if (!SetState(row, LVIS_SELECTED, LVIS_SELECTED)) {
            return false;
        }
    }
    return SelectedRows() == rows;
}
