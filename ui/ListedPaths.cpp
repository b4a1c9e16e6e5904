#include "ListedPaths.h"

#include "StringUtil.h"

bool CListedPaths::Add(const std::string& path) {
    return m_paths.emplace(MbsLower(path), 0).second;
}
