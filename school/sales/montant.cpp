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

// The digits from position i; i moves past them.
QString chiffres(const QString& texte, qsizetype& i)
{
    QString lus;
    while (i < texte.size() && texte[i].isDigit() && texte[i].unicode() < 128)
        lus += texte[i++];
    return lus;
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
    const bool negatif = i < nettoye.size() && nettoye[i] == u'-';
    if (i < nettoye.size() && (nettoye[i] == u'-' || nettoye[i] == u'+'))
        ++i;
    const qint64 valeur = chiffres(nettoye, i).left(9).toLongLong();
    return negatif ? -valeur : valeur;
}

QString total(qint64 centimes)
{
    const qint64 absolu = centimes < 0 ? -centimes : centimes;
    QString entiers = QString::number(absolu / 100);
    if (entiers.size() > 3)
        entiers.insert(entiers.size() - 3, u' ');
    const QString signe = centimes < 0 ? QStringLiteral("-") : QString();
    return signe + entiers + u',' + QStringLiteral("%1").arg(absolu % 100, 2, 10, QLatin1Char('0'));
}

QString simple(qint64 centimes)
{
    const qint64 absolu = centimes < 0 ? -centimes : centimes;
    QString texte = QString::number(absolu / 100);
    if (absolu % 100 != 0) {
        QString fraction = QStringLiteral("%1").arg(absolu % 100, 2, 10, QLatin1Char('0'));
        if (fraction.endsWith(u'0'))
            fraction.chop(1);
        texte += u',' + fraction;
    }
    return centimes < 0 ? u'-' + texte : texte;
}

} // namespace montant
