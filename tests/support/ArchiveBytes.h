// Helpers that write to and read from archives in memory.
#pragma once

#include <afx.h>

#include <functional>
#include <initializer_list>
#include <vector>

using Bytes = std::vector<BYTE>;

// The bytes that fn writes into a fresh archive.
inline Bytes StoreBytes(const std::function<void(CArchive&)>& fn)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    fn(ar);
    ar.Close();
    return file.Data();
}

// Runs fn on a fresh loading archive over bytes.
inline void LoadBytes(const Bytes& bytes, const std::function<void(CArchive&)>& fn)
{
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    fn(ar);
}

inline Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

inline Bytes Text(const char* psz)
{
    return Bytes(psz, psz + std::char_traits<char>::length(psz));
}
