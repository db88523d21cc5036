#include "photographer/data/noms_photos.h"

#include "common/namesakes.h"
#include "common/paths.h"
#include "photographer/data/dossiers_etab.h"

#include <algorithm>

namespace noms_photos {

qsizetype octetsPermis()
{
    // The longest name is that of a set-aside original: the archive's name, "_", its date and
    // time, and "_2" to "_99" should several be set aside in one second. It is longer than the
    // archive's temporary file (".", the name, ".XXXXXX") and the low-resolution names. A
    // namesake's number comes before the extension in every one of them.
    const qsizetype separateurs = 3 * qsizetype(qstrlen(kSeparateur));
    const qsizetype misDeCote = 1 + qsizetype(qstrlen(kHorodatageGarde)) + 3 + qsizetype(qstrlen(".jpg"));
    return dossiers_etab::kOctetsParNom - separateurs - misDeCote - kOctetsNumero;
}

QString Longueur::limite() const
{
    return QStringLiteral("ils peuvent compter au plus %1 caractères (ils en comptent %2)")
        .arg(QString::number(tiennent), QString::number(comptes));
}

Longueur longueur(const QString& classe, const QString& nom, const QString& prenom)
{
    const QString noms = classe + nom + prenom;
    return {noms.toUcs4().size(), dossiers_etab::caracteresQuiTiennent(noms, octetsPermis())};
}

std::optional<Depassement> plusLongQuiDepasse(const QString& classe, const std::vector<Eleve>& eleves)
{
    std::optional<Depassement> pire;
    for (const Eleve& eleve : eleves) {
        const Longueur sienne = longueur(classe, eleve.nom, eleve.prenom);
        if (!sienne.tient() && (!pire || sienne.comptes > pire->longueur.comptes))
            pire = Depassement{eleve, sienne};
    }
    return pire;
}

QHash<QString, int> numeros(std::vector<Porteur> eleves, const std::vector<NumeroDonne>& donnes)
{
    // Keys travel as text: "10" comes after "9".
    std::stable_sort(eleves.begin(), eleves.end(), [](const Porteur& a, const Porteur& b) {
        return a.cle.toLongLong() < b.cle.toLongLong();
    });
    QStringList pris;
    for (const NumeroDonne& donne : donnes)
        pris << nomBasseResolution(donne.nom, donne.prenom, donne.numero);
    namesakes::UniqueNames noms(pris);
    QHash<QString, int> resultat;
    for (const Porteur& eleve : eleves)
        resultat.insert(eleve.cle, noms.takeNumber(nomBasseResolution(eleve.nom, eleve.prenom)));
    return resultat;
}

QString nomBasseResolution(const QString& nom, const QString& prenom, int numero)
{
    return paths::component(namesakes::numbered(nom + u' ' + prenom + QStringLiteral(".jpg"), numero));
}

QString dossierClasse(const QString& classe)
{
    const QString part = paths::component(classe);
    return part == u"." || part == u".." ? QString(part).replace(u'.', u'_') : part;
}

QString nomArchive(const QString& classe, const QString& nom, const QString& prenom, int numero)
{
    const QString separateur = QString::fromLatin1(kSeparateur);
    return paths::component(
        namesakes::numbered(classe + separateur + nom + separateur + prenom + separateur + QStringLiteral(".jpg"), numero));
}

} // namespace noms_photos
