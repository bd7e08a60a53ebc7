#include "widgets/GothicFont.h"

#include <QStringList>

namespace quiverel {
namespace {

const char* const gothicFamily = "ＭＳ Ｐゴシック";

} // namespace

QFont gothicFont(double pointSize) {
    const QString family = QString::fromUtf8(gothicFamily);
    QFont::insertSubstitutions(family,
                               {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    QFont font(family);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace quiverel
