#pragma once

#include <QString>

// The product's name as its windows and messages show it, and its one version number.
namespace Product {

// The product's name in our own sentences, the desktop's notices and window titles: "Orvalin".
QString name();

// The title of every message box: "Orvalin Beta 1".
QString title();

// The version the project is built as, such as "0.1.0".
QString version();

} // namespace Product
