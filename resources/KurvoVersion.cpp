// The plug-in's version record, kept in the module file's version section so
// that a host can show it without loading the module (the layout is described
// in the framework's AfxVersionInfo.h). The two copies mirror the string
// table's languages; each holds one string block for US English in the
// Unicode code page, as the original record did.
#include <afx.h>

#include <KurvoBuildVersion.h>

// clang-format off
#define KURVO_VERSION_STRINGS                                                                      \
    "CompanyName\0" "\0"                                                                           \
    "FileDescription\0" "KURVO7 DLL\0"                                                             \
    "FileVersion\0" KURVO_VERSION_COMMAS "\0"                                                      \
    "InternalName\0" "KURVO7\0"                                                                    \
    "LegalTrademarks\0" "\0"                                                                       \
    "OriginalFilename\0" "KURVO7.DLL\0"                                                            \
    "ProductName\0" "KURVO7 Dynamic Link Library\0"                                                \
    "ProductVersion\0" KURVO_VERSION_COMMAS "\0"                                                   \
    "\0"

// The literal's own terminating zero ends the block (the empty final group).
KFX_VERSION_RECORD(g_kurvoVersionRecord,
    KFX_VERSION_MAGIC "\0"
    "FileVersion\0" KURVO_VERSION_TEXT "\0"
    "ProductVersion\0" KURVO_VERSION_TEXT "\0"
    "FileType\0" "DLL\0"
    "\0"
    ":Language\0" "1033\0" ":Block\0" "040904B0\0" KURVO_VERSION_STRINGS
    ":Language\0" "1049\0" ":Block\0" "040904B0\0" KURVO_VERSION_STRINGS);
// clang-format on
