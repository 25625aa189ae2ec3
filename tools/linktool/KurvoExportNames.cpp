// Gives a freshly linked module exported names that contain '@'.
//
// The decorated entry-point names ("?OnLoad@@YAXXZ") cannot pass through the
// toolchain: assemblers and every ELF linker read "name@@VER" as a symbol
// with a version. So the module is linked with stand-in names of the same
// length and the same GNU hash, and this tool then writes the real names over
// the stand-ins in the string tables. Because the hash is unchanged, the
// module's .gnu.hash lookup table (bloom filter, buckets, chains) stays valid
// and dlsym finds the real names. A module with a SysV .hash table is refused,
// as that hash could not be kept.
//
// The stand-in of a name replaces each '@' together with the character after
// it by two characters whose contribution to the GNU hash (h = h * 33 + c) is
// the same: 33 * c1 + c2 is kept. "@@" becomes "?a" and "@Z" becomes "A9".
//
// Usage: kurvo-export-names MODULE.so REAL-NAME...
// Prints each stand-in with --stand-in REAL-NAME (for writing the sources).
#include "framework/core/AfxElfSections.h"

#include <elf.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace
{

const char kPreferred[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_?";

uint32_t GnuHash(const std::string& name)
{
    uint32_t h = 5381;
    for (unsigned char c : name)
        h = h * 33 + c;
    return h;
}

std::optional<std::string> StandIn(const std::string& name)
{
    std::string out = name;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] != '@')
            continue;
        if (i + 1 >= name.size())
            return std::nullopt;
        int nTarget = 33 * (unsigned char)name[i] + (unsigned char)name[i + 1];
        bool bFound = false;
        for (const char* p1 = kPreferred; *p1 && !bFound; ++p1) {
            int c2 = nTarget - 33 * (unsigned char)*p1;
            if (c2 > 0 && c2 < 128 && strchr(kPreferred, c2) != nullptr) {
                out[i] = *p1;
                out[i + 1] = char(c2);
                bFound = true;
            }
        }
        if (!bFound)
            return std::nullopt;
        ++i;
    }
    return out;
}

class CElfImage
{
public:
    std::vector<char> bytes;

    template <typename T> T* At(uint64_t nOffset, uint64_t nCount = 1)
    {
        if (nOffset > bytes.size() || nCount * sizeof(T) > bytes.size() - nOffset)
            return nullptr;
        return reinterpret_cast<T*>(bytes.data() + nOffset);
    }
    // The section headers are read through the one checked reader; the
    // rename writes only string tables, so the copy stays true.
    AFX_ELF_SECTIONS elf;

    std::string ReadSections()
    {
        return elf.Read(
            [this](uint64_t nOffset, size_t nSize, void* pDest) {
                const char* p = At<char>(nOffset, nSize);
                if (p != nullptr)
                    memcpy(pDest, p, nSize);
                return p != nullptr;
            },
            bytes.size());
    }
    Elf64_Ehdr* Header() { return &elf.header; }
    Elf64_Shdr* Sections() { return elf.sections.data(); }
};

bool Fail(const std::string& message)
{
    fprintf(stderr, "kurvo-export-names: %s\n", message.c_str());
    return false;
}

// String-table offsets that something other than the symbols refers to:
// the dynamic section's names and the version records' names.
void CollectOtherReferences(CElfImage& image, uint32_t nStrTab, std::vector<uint64_t>& refs)
{
    Elf64_Shdr* sh = image.Sections();
    int nSections = image.Header()->e_shnum;
    for (int i = 0; i < nSections; ++i) {
        if (sh[i].sh_link != nStrTab)
            continue;
        if (sh[i].sh_type == SHT_DYNAMIC) {
            size_t n = sh[i].sh_size / sizeof(Elf64_Dyn);
            Elf64_Dyn* dyn = image.At<Elf64_Dyn>(sh[i].sh_offset, n);
            for (size_t k = 0; dyn && k < n; ++k) {
                int64_t tag = dyn[k].d_tag;
                if (tag == DT_NEEDED || tag == DT_SONAME || tag == DT_RPATH || tag == DT_RUNPATH)
                    refs.push_back(dyn[k].d_un.d_val);
            }
        } else if (sh[i].sh_type == SHT_GNU_verneed) {
            uint64_t off = sh[i].sh_offset;
            for (uint32_t n = 0; n < sh[i].sh_info; ++n) {
                Elf64_Verneed* vn = image.At<Elf64_Verneed>(off);
                if (!vn)
                    break;
                refs.push_back(vn->vn_file);
                uint64_t aoff = off + vn->vn_aux;
                for (uint32_t a = 0; a < vn->vn_cnt; ++a) {
                    Elf64_Vernaux* va = image.At<Elf64_Vernaux>(aoff);
                    if (!va)
                        break;
                    refs.push_back(va->vna_name);
                    aoff += va->vna_next;
                }
                off += vn->vn_next;
            }
        } else if (sh[i].sh_type == SHT_GNU_verdef) {
            uint64_t off = sh[i].sh_offset;
            for (uint32_t n = 0; n < sh[i].sh_info; ++n) {
                Elf64_Verdef* vd = image.At<Elf64_Verdef>(off);
                if (!vd)
                    break;
                Elf64_Verdaux* va = image.At<Elf64_Verdaux>(off + vd->vd_aux);
                if (va)
                    refs.push_back(va->vda_name);
                off += vd->vd_next;
            }
        }
    }
}

// Renames in one symbol table; returns how many symbols carried the stand-in.
int RenameInTable(CElfImage& image, int nSymTab, const std::string& standIn,
                  const std::string& real, bool& rOk)
{
    Elf64_Shdr* sh = image.Sections();
    const Elf64_Shdr& symtab = sh[nSymTab];
    if (symtab.sh_link >= image.Header()->e_shnum)
        return rOk = Fail("symbol table without string table"), 0;
    const Elf64_Shdr& strtab = sh[symtab.sh_link];
    size_t nSyms = symtab.sh_size / sizeof(Elf64_Sym);
    Elf64_Sym* syms = image.At<Elf64_Sym>(symtab.sh_offset, nSyms);
    char* strs = image.At<char>(strtab.sh_offset, strtab.sh_size);
    if (!syms || !strs)
        return rOk = Fail("symbol or string table outside the file"), 0;

    std::vector<uint64_t> refs;
    for (size_t k = 0; k < nSyms; ++k)
        refs.push_back(syms[k].st_name);
    CollectOtherReferences(image, symtab.sh_link, refs);

    int nFound = 0;
    for (size_t k = 0; k < nSyms; ++k) {
        uint64_t off = syms[k].st_name;
        if (off + standIn.size() >= strtab.sh_size || strcmp(strs + off, standIn.c_str()) != 0)
            continue;
        ++nFound;
        // A linker may share a string's tail with a shorter name; writing
        // over a shared tail would rename that other name too.
        for (uint64_t ref : refs) {
            if (ref > off && ref < off + standIn.size())
                return rOk = Fail("string of " + standIn + " is shared with another name"), 0;
        }
        memcpy(strs + off, real.data(), real.size());
    }
    return nFound;
}

bool RenameAll(CElfImage& image, const std::vector<std::string>& names)
{
    const std::string refused = image.ReadSections();
    if (!refused.empty())
        return Fail(refused);
    Elf64_Ehdr* eh = image.Header();
    Elf64_Shdr* sh = image.Sections();
    for (int i = 0; i < eh->e_shnum; ++i) {
        if (sh[i].sh_type == SHT_HASH)
            return Fail("module has a SysV hash table; link with --hash-style=gnu");
    }
    for (const std::string& real : names) {
        std::optional<std::string> standIn = StandIn(real);
        if (!standIn || GnuHash(*standIn) != GnuHash(real))
            return Fail("no stand-in for " + real);
        bool bOk = true;
        int nDynamic = 0;
        for (int i = 0; i < eh->e_shnum && bOk; ++i) {
            if (sh[i].sh_type == SHT_DYNSYM)
                nDynamic += RenameInTable(image, i, *standIn, real, bOk);
            else if (sh[i].sh_type == SHT_SYMTAB)
                RenameInTable(image, i, *standIn, real, bOk);
        }
        if (!bOk)
            return false;
        if (nDynamic == 0)
            return Fail("module exports no " + *standIn + " (stand-in of " + real + ")");
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && strcmp(argv[1], "--stand-in") == 0) {
        std::optional<std::string> standIn = StandIn(argv[2]);
        if (!standIn)
            return Fail("no stand-in"), 1;
        printf("%s\n", standIn->c_str());
        return 0;
    }
    if (argc < 3) {
        fprintf(stderr, "usage: kurvo-export-names MODULE.so REAL-NAME...\n"
                        "       kurvo-export-names --stand-in REAL-NAME\n");
        return 2;
    }
    CElfImage image;
    {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in)
            return Fail(std::string("cannot read ") + argv[1]), 1;
        image.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (!RenameAll(image, std::vector<std::string>(argv + 2, argv + argc)))
        return 1;
    // Written beside and renamed over, so an interrupted build never leaves a
    // half-written module behind.
    std::string tmp = std::string(argv[1]) + ".names.tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(image.bytes.data(), std::streamsize(image.bytes.size()));
        if (!out.flush())
            return Fail("cannot write " + tmp), 1;
    }
    struct stat st;
    if (stat(argv[1], &st) == 0)
        chmod(tmp.c_str(), st.st_mode & 07777);
    if (rename(tmp.c_str(), argv[1]) != 0)
        return Fail(std::string("cannot replace ") + argv[1]), 1;
    return 0;
}
