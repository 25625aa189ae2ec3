// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes, even where a test took away its permissions.
// Plain standard C++, so that tests of the framework's core need no Qt.
#pragma once

#include <filesystem>

class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const char* pszName) const { return m_path / pszName; }

private:
    std::filesystem::path m_path;
};
