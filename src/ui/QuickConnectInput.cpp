#include "ui/QuickConnectInput.h"

#include "app/NumericText.h"

namespace {
constexpr int64_t kHighestPort = 65535;
}

QuickConnectInput QuickConnectInput::check(const QString& host, const QString& portText) {
    QuickConnectInput input;
    input.host = host.trimmed();
    input.portText = portText.trimmed();
    if (input.host.isEmpty()) {
        input.errorKey = QStringLiteral("Invalid_Host");
        return input;
    }
    const std::optional<int64_t> port = numeric_text::roundedInteger(input.portText);
    // Port numbers end at 65535; anything above would wrap into another port.
    if (!port || *port < 1 || *port > kHighestPort) {
        input.errorKey = QStringLiteral("Invalid_Port");
        return input;
    }
    input.port = static_cast<int>(*port);
    input.portText = QString::number(input.port);
    return input;
}
