// SPDX-License-Identifier: MIT
// ID storage records: the checks on what a 637 sends, and a file's records written and read back.
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"

#include "idstorage/IdRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    IdRecords::IsFirstRecord(bytes);
    FUZZ_CHECK(!IdRecords::EndsAtCarriageReturn(bytes) || bytes.endsWith('\r'));
    FUZZ_CHECK(IdRecords::Stored(bytes).size() <= IdRecords::kStoredLength);

    bool more = false;
    const QList<QByteArray> records = IdRecords::FromFile(bytes, &more);
    FUZZ_CHECK(records.size() <= IdRecords::kMaxRecords);
    for (const QByteArray& r : records) {
        FUZZ_CHECK(r.size() == IdRecords::kStoredLength);
    }
    // Records without a line feed of their own come back the same from their file.
    QList<QByteArray> plain;
    for (const QByteArray& r : records) {
        if (!r.contains('\n')) plain.append(r);
    }
    FUZZ_CHECK(IdRecords::FromFile(IdRecords::FileBytes(plain)) == plain);
    IdRecords::RecordInformation(int(records.size()), records.isEmpty() ? 0 : int(records.first().size()));
    return 0;
}
