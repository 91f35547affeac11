// SPDX-License-Identifier: MIT
// A handheld's joined file list: the rows, their names, and those names as file names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "handheld/HandheldFileList.h"
#include "handheld/HandheldFileName.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray list(reinterpret_cast<const char*>(data), int(size));
    const QList<QByteArray> rows = HandheldFileList::Rows(list);
    if (rows.size() > HandheldFileList::kRows) std::abort();
    for (const QByteArray& row : rows) {
        if (!row.startsWith("[Name] ")) std::abort();
        const QByteArray name = HandheldFileList::NameOfRow(row);
        if (name.size() > HandheldFileList::kNameWidth) std::abort();
        for (const QByteArray& candidate : {name, row, list}) {
            const QByteArray safe = HandheldFileName::Safe(candidate);
            if (safe.isEmpty() || safe.startsWith('.') || safe.contains('/') || safe.contains('\0')) std::abort();
        }
    }
    return 0;
}
