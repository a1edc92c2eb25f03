// Loads arbitrary bytes as a stored window description, reads every key as every type a
// control could ask for, and checks that what loads also saves and loads back unchanged.
#include "platform/WindowDescription.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    WindowDescription description;
    try {
        description = WindowDescription::fromJson(bytes, QStringLiteral("fuzz"));
    } catch (const PropertyError &) {
        return 0;
    }
    for (const QString &name : description.controlNames()) {
        const PropertyBag bag = description.control(name);
        for (const QString &key : bag.keys()) {
            const auto attempt = [](auto &&read) {
                try {
                    read();
                } catch (const PropertyError &) {
                }
            };
            attempt([&] { bag.readInt32(key, 0); });
            attempt([&] { bag.readInt16(key, 0); });
            attempt([&] { bag.readBool(key, false); });
            attempt([&] { bag.readString(key, {}); });
            attempt([&] { bag.readFloat(key, 0); });
            attempt([&] { bag.readFont(key, StdFont()); });
        }
    }
    const WindowDescription again =
        WindowDescription::fromJson(description.toJson(), QStringLiteral("again"));
    for (const QString &name : description.controlNames()) {
        if (!(again.control(name) == description.control(name)))
            std::abort();
    }
    return 0;
}
