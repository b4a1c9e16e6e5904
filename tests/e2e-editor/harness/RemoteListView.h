#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A list-view control of another process, read and selected from outside.
// Item texts and states travel through a buffer in that process, since the
// platform copies no list-view data between processes.
class RemoteListView {
public:
    explicit RemoteListView(HWND list);
    ~RemoteListView();

    RemoteListView(const RemoteListView&) = delete;
    RemoteListView& operator=(const RemoteListView&) = delete;

    bool IsValid() const { return m_buffer != nullptr; }
    HWND Handle() const { return m_list; }

    int RowCount() const;
    int SelectedCount() const;
    std::string Text(int row, int column) const;
    // Every row as its column texts, for `columns` columns.
    std::vector<std::vector<std::string>> Rows(int columns = 2) const;
    bool IsSelected(int row) const;
    bool IsFocused(int row) const;
    std::vector<int> SelectedRows() const;

    // Selects exactly `rows`, as a user's clicks with Ctrl would.
    bool Select(const std::vector<int>& rows) const;

private:
    bool SetState(int row, UINT state, UINT mask) const;
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;

    HWND m_list;
    HANDLE m_process = nullptr;
    char* m_buffer = nullptr; // in the other process
};
