#include "ui/qt/colours.h"

#include <array>

QColor standardColour(int number) {
    static constexpr auto table = std::to_array<QRgb>(
        {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0, 0x808080,
         0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF});
    if (number < 0 || number >= int(table.size())) return QColor(Qt::black);
    return QColor::fromRgb(table[std::size_t(number)]);
}
