#pragma once
#include <cstddef>
#include <vector>

// The growable array of element values that the table is built on: the
// handful of operations this program uses of one, over std::vector.
template <typename TYPE, typename ARG_TYPE> class CArray {
public:
    CArray() = default;
    virtual ~CArray() = default;

    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;

    int GetSize() const { return static_cast<int>(m_items.size()); }
    TYPE GetAt(int index) const { return m_items[static_cast<size_t>(index)]; }
    void SetAt(int index, ARG_TYPE value) { m_items[static_cast<size_t>(index)] = value; }
    int Add(ARG_TYPE value) {
        m_items.push_back(value);
        return GetSize() - 1;
    }
    void InsertAt(int index, ARG_TYPE value) {
        m_items.insert(m_items.begin() + index, value);
    }
    void RemoveAt(int index) { m_items.erase(m_items.begin() + index); }
    void RemoveAll() {
        m_items.clear();
        m_items.shrink_to_fit();
    }

private:
    std::vector<TYPE> m_items;
};

// An array of owning pointers: its destructor deletes every non-null element
// in index order. Removing or replacing an element deletes nothing.
template <typename TYPE, typename ARG_TYPE>
class CAutoDeletePtrArray : public CArray<TYPE, ARG_TYPE> {
public:
    ~CAutoDeletePtrArray() override {
        for (int i = 0; i < this->GetSize(); ++i) {
            delete this->GetAt(i);
        }
        this->RemoveAll();
    }

    // Takes the element out of the array and deletes it, in one step, so
    // that no caller holds a pointer between the two.
    void RemoveAndDelete(int index) {
        TYPE element = this->GetAt(index);
        this->RemoveAt(index);
        delete element;
    }
};
