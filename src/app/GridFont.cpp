#include "app/GridFont.h"

#include <QStringList>

namespace quiverel {
namespace {

const char* const gridFamily = "ＭＳ Ｐゴシック";
constexpr int gridPointSize = 9;

} // namespace

QFont gridFont() {
    const QString family = QString::fromUtf8(gridFamily);
    QFont::insertSubstitutions(family,
                               {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    return QFont(family, gridPointSize);
}

} // namespace quiverel
