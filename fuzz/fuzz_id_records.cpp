// SPDX-License-Identifier: MIT
// ID storage records: the checks on what a 637 sends, and a file's records written and read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "idstorage/IdRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    IdRecords::IsFirstRecord(bytes);
    if (IdRecords::EndsAtCarriageReturn(bytes) && !bytes.endsWith('\r')) std::abort();
    if (IdRecords::Stored(bytes).size() > IdRecords::kStoredLength) std::abort();

    bool more = false;
    const QList<QByteArray> records = IdRecords::FromFile(bytes, &more);
    if (records.size() > IdRecords::kMaxRecords) std::abort();
    for (const QByteArray& r : records) {
        if (r.size() != IdRecords::kStoredLength) std::abort();
    }
    // Records without a line feed of their own come back the same from their file.
    QList<QByteArray> plain;
    for (const QByteArray& r : records) {
        if (!r.contains('\n')) plain.append(r);
    }
    if (IdRecords::FromFile(IdRecords::FileBytes(plain)) != plain) std::abort();
    IdRecords::RecordInformation(int(records.size()), records.isEmpty() ? 0 : int(records.first().size()));
    return 0;
}
