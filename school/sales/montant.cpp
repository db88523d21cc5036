#include "school/sales/montant.h"

#include "common/text.h"

namespace montant {

namespace {

// The amount written by the format from its size, "-" before a negative one.
template <class Format>
QString avecSigne(qint64 centimes, Format format)
{
    return centimes < 0 ? u'-' + format(-centimes) : format(centimes);
}

} // namespace

qint64 centimes(const QString& prix)
{
    return text::priceCents(prix);
}

qint64 quantite(const QString& texte)
{
    const text::LeadingNumber nombre = text::leadingNumber(texte);
    const qint64 valeur = nombre.units.left(9).toLongLong();
    return nombre.negative ? -valeur : valeur;
}

QString total(qint64 centimes)
{
    return avecSigne(centimes, [](qint64 absolu) {
        QString entiers = QString::number(absolu / 100);
        if (entiers.size() > 3)
            entiers.insert(entiers.size() - 3, u' ');
        return entiers + u',' + QStringLiteral("%1").arg(absolu % 100, 2, 10, QLatin1Char('0'));
    });
}

QString simple(qint64 centimes)
{
    return avecSigne(centimes, [](qint64 absolu) {
        QString texte = QString::number(absolu / 100);
        if (absolu % 100 != 0) {
            QString fraction = QStringLiteral("%1").arg(absolu % 100, 2, 10, QLatin1Char('0'));
            if (fraction.endsWith(u'0'))
                fraction.chop(1);
            texte += u',' + fraction;
        }
        return texte;
    });
}

} // namespace montant
