#include "school/sales/montant.h"

#include "common/text.h"

namespace montant {

namespace {

// The amount written by the format from its size, "-" before a negative one.
// The size is unsigned so that the most negative amount has one too.
template <class Format>
QString avecSigne(Somme centimes, Format format)
{
    if (!centimes)
        return kIncalculable;
    const qint64 valeur = *centimes;
    const quint64 absolu = valeur < 0 ? 0 - quint64(valeur) : quint64(valeur);
    return valeur < 0 ? u'-' + format(absolu) : format(absolu);
}

QString groupes(quint64 entier)
{
    QString texte = QString::number(entier);
    for (qsizetype i = texte.size() - 3; i > 0; i -= 3)
        texte.insert(i, u' ');
    return texte;
}

QString deuxDecimales(quint64 absolu)
{
    return QStringLiteral("%1").arg(absolu % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

Somme fois(Somme a, Somme b)
{
    qint64 resultat = 0;
    if (!a || !b || __builtin_mul_overflow(*a, *b, &resultat))
        return std::nullopt;
    return resultat;
}

Somme plus(Somme a, Somme b)
{
    qint64 resultat = 0;
    if (!a || !b || __builtin_add_overflow(*a, *b, &resultat))
        return std::nullopt;
    return resultat;
}

Somme moins(Somme a, Somme b)
{
    qint64 resultat = 0;
    if (!a || !b || __builtin_sub_overflow(*a, *b, &resultat))
        return std::nullopt;
    return resultat;
}

Somme centimes(const QString& prix)
{
    return text::priceCents(prix);
}

Somme quantite(const QString& texte)
{
    const text::LeadingNumber nombre = text::leadingNumber(texte);
    if (nombre.units.isEmpty())
        return 0;
    bool lu = false;
    const qint64 valeur = nombre.units.toLongLong(&lu);
    if (!lu)
        return std::nullopt;
    return nombre.negative ? -valeur : valeur;
}

QString chiffres(qint64 entier)
{
    return avecSigne(entier, groupes);
}

QString total(Somme centimes)
{
    return avecSigne(centimes, [](quint64 absolu) { return groupes(absolu / 100) + u',' + deuxDecimales(absolu); });
}

QString simple(Somme centimes)
{
    return avecSigne(centimes, [](quint64 absolu) {
        QString texte = QString::number(absolu / 100);
        if (absolu % 100 != 0) {
            QString fraction = deuxDecimales(absolu);
            if (fraction.endsWith(u'0'))
                fraction.chop(1);
            texte += u',' + fraction;
        }
        return texte;
    });
}

} // namespace montant
