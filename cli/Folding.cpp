// SPDX-License-Identifier: MIT
#include "Folding.h"

namespace helune::cli {

namespace {

// Letters that no canonical decomposition takes apart, as a reader of Latin
// script folds them.
QString PlainLetters(QChar c) {
    switch (c.unicode()) {
        case 0x00F8: return QStringLiteral("o");   // ø
        case 0x00E6: return QStringLiteral("ae");  // æ
        case 0x0153: return QStringLiteral("oe");  // œ
        case 0x00DF: return QStringLiteral("ss");  // ß
        case 0x0142: return QStringLiteral("l");   // ł
        case 0x0111: return QStringLiteral("d");   // đ
        case 0x00F0: return QStringLiteral("d");   // ð
        case 0x00FE: return QStringLiteral("th");  // þ
        case 0x0131: return QStringLiteral("i");   // dotless ı
        case 0x0127: return QStringLiteral("h");   // ħ
        default: return QString(c);
    }
}

bool IsMark(QChar c) {
    const QChar::Category category = c.category();
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

}  // namespace

QString FoldedName(const QString& name) {
    QString folded;
    bool gap = false;
    for (const QChar c : name.normalized(QString::NormalizationForm_KD)) {
        if (IsMark(c)) continue;
        if (!c.isLetterOrNumber()) {
            gap = !folded.isEmpty();
            continue;
        }
        if (gap) folded += QLatin1Char(' ');
        gap = false;
        folded += PlainLetters(c.toCaseFolded());
    }
    return folded;
}

std::string FoldedName(const std::string& name) {
    return FoldedName(QString::fromStdString(name)).toStdString();
}

}  // namespace helune::cli
