// SPDX-License-Identifier: MIT
// A handheld's joined file list: the rows, their names, and those names as file names.
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"

#include "handheld/HandheldFileList.h"
#include "handheld/HandheldFileName.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray list(reinterpret_cast<const char*>(data), int(size));
    const QList<QByteArray> rows = HandheldFileList::Rows(list);
    FUZZ_CHECK(rows.size() <= HandheldFileList::kRows);
    for (const QByteArray& row : rows) {
        FUZZ_CHECK(row.startsWith("[Name] "));
        const QByteArray name = HandheldFileList::NameOfRow(row);
        FUZZ_CHECK(name.size() <= HandheldFileList::kNameWidth);
        for (const QByteArray& candidate : {name, row, list}) {
            const QByteArray safe = HandheldFileName::Safe(candidate);
            FUZZ_CHECK(!safe.isEmpty() && !safe.startsWith('.') && !safe.contains('/') && !safe.contains('\0'));
        }
    }
    return 0;
}
