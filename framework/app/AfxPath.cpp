#include "AfxPath.h"

#include <filesystem>
#include <system_error>

namespace
{
std::string WithSlashes(LPCSTR lpszPath)
{
    std::string path = lpszPath != nullptr ? lpszPath : "";
    for (char& ch : path) {
        if (ch == '\\')
            ch = '/';
    }
    return path;
}
} // namespace

CString AfxFullPath(LPCSTR lpszPath)
{
    std::filesystem::path path(WithSlashes(lpszPath));
    if (path.empty())
        return CString();
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        absolute = path;
    std::string normal = absolute.lexically_normal().string();
    // "dir/" and "dir" name the same folder; a trailing separator would make
    // the file name of the path empty.
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    return CString(std::string_view(normal));
}

CString AfxGetFileName(LPCSTR lpszPath)
{
    const std::string path = WithSlashes(lpszPath);
    const size_t nSlash = path.rfind('/');
    return CString(std::string_view(nSlash == std::string::npos ? path : path.substr(nSlash + 1)));
}

CString AfxGetFolder(LPCSTR lpszFullPath)
{
    const std::string path = WithSlashes(lpszFullPath);
    const size_t nSlash = path.rfind('/');
    if (nSlash == std::string::npos)
        return CString(".");
    if (nSlash == 0)
        return CString("/");
    return CString(std::string_view(path).substr(0, nSlash));
}
