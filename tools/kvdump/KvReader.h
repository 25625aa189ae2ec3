// Reads a chart file into a chart document, through the document's own
// Serialize, so that a file is accepted exactly when the plug-in would
// accept it. Unlike the plug-in it also refuses an empty file and bytes after
// the end of the chart, which a chart file never has.
#pragma once

#include "document/CKurvoDoc.h"

#include <memory>
#include <string>

class KvReader
{
public:
    // Throws KvError with the cause.
    static std::unique_ptr<CKurvoDoc> read(const std::string& path);

private:
    static void readArchive(CFile& file, const std::string& path, CKurvoDoc& doc);
};
