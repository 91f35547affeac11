// SPDX-License-Identifier: MIT
// Placeholder: replaced by the reader.
#include "ConfigReader.h"
#include <QIODevice>
namespace ConfigReader {
bool ReadRawLine(QIODevice&, QByteArray&) { return false; }
bool ReadLine(QIODevice&, QByteArray&) { return false; }
int ReadConfiguration(ConfigModel&, QIODevice*, int, ReaderHooks&) { return 0; }
}
