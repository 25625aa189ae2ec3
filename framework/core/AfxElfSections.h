// An ELF module's section table, read and checked once for everything that
// looks inside a module: the version record reader and the build's export
// name tool. Only 64-bit little-endian files, as built here, are accepted;
// every offset and size is checked against the file before it is used, and
// the section-name table is bounded before anything is allocated for it.
//
// Standard C++ and <elf.h> only, so that build tools use it without the
// class library.
#pragma once

#include <elf.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

// Reads nSize bytes at nOffset into pDest; false when they are not all there.
using AfxElfByteReader = std::function<bool(uint64_t nOffset, size_t nSize, void* pDest)>;

inline bool AfxElfRangeInside(uint64_t nOffset, uint64_t nSize, uint64_t nTotal)
{
    return nOffset <= nTotal && nSize <= nTotal - nOffset;
}

struct AFX_ELF_SECTIONS {
    static constexpr uint64_t kMaxNameTableBytes = 1u << 20;

    Elf64_Ehdr header{};
    std::vector<Elf64_Shdr> sections;
    std::string names; // the section-name table

    const char* NameOf(const Elf64_Shdr& section) const
    {
        return section.sh_name < names.size() ? names.c_str() + section.sh_name : "";
    }

    // Empty when the file was read; otherwise why it was refused.
    std::string Read(const AfxElfByteReader& read, uint64_t nFileSize)
    {
        if (nFileSize < sizeof(header) || !read(0, sizeof(header), &header))
            return "file too short for an ELF header";
        if (memcmp(header.e_ident, ELFMAG, SELFMAG) != 0)
            return "not an ELF file";
        if (header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_ident[EI_DATA] != ELFDATA2LSB)
            return "not a 64-bit little-endian ELF file";
        if (header.e_shentsize != sizeof(Elf64_Shdr))
            return "unexpected ELF section header size";
        // A count of 0 or the escape index means extended numbering, which
        // modules built here never need.
        if (header.e_shnum == 0 || header.e_shstrndx == SHN_UNDEF ||
            header.e_shstrndx >= header.e_shnum)
            return "ELF file has no usable section-name table";
        const uint64_t nTableBytes = uint64_t(header.e_shnum) * sizeof(Elf64_Shdr);
        if (!AfxElfRangeInside(header.e_shoff, nTableBytes, nFileSize))
            return "ELF section header table lies outside the file";
        sections.resize(header.e_shnum);
        if (!read(header.e_shoff, size_t(nTableBytes), sections.data()))
            return "cannot read ELF section headers";
        const Elf64_Shdr& table = sections[header.e_shstrndx];
        if (table.sh_type == SHT_NOBITS || table.sh_size > kMaxNameTableBytes ||
            !AfxElfRangeInside(table.sh_offset, table.sh_size, nFileSize))
            return "ELF section-name table lies outside the file";
        names.assign(size_t(table.sh_size), '\0');
        if (!read(table.sh_offset, names.size(), names.data()))
            return "cannot read ELF section-name table";
        return std::string();
    }
};
