// SPDX-License-Identifier: MIT
// Placeholder: replaced by the writer.
#include "ConfigWriter.h"
#include "ConfigModel.h"
namespace ConfigWriter {
QByteArray FormatConfiguration(ConfigModel&, const CDevice&, int) { return {}; }
QString ProposedFileName(const QByteArray&) { return {}; }
QString WriteConfiguration(ConfigModel&, const CDevice&, int, Prompts&, const Target&) { return {}; }
}
