#include "school/sales/montant.h"

#include "common/text.h"

namespace montant {

namespace {

// The text without its blanks (plain and non-breaking), as the amounts were
// always read.
QString sansBlancs(const QString& texte)
{
    QString resultat;
    for (const QChar c : texte)
        if (!c.isSpace())
            resultat += c;
    return resultat;
}

// The sign at position i, read once: true for "-"; i moves past a "-" or a "+".
bool negatif(const QString& texte, qsizetype& i)
{
    if (i >= texte.size() || (texte[i] != u'-' && texte[i] != u'+'))
        return false;
    return texte[i++] == u'-';
}

// The digits from position i; i moves past them.
QString chiffres(const QString& texte, qsizetype& i)
{
    QString lus;
    while (i < texte.size() && texte[i].isDigit() && texte[i].unicode() < 128)
        lus += texte[i++];
    return lus;
}

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
    const QString nettoye = sansBlancs(texte);
    qsizetype i = 0;
    const bool moins = negatif(nettoye, i);
    const qint64 valeur = chiffres(nettoye, i).left(9).toLongLong();
    return moins ? -valeur : valeur;
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
