#include "photographer/data/noms_photos.h"

#include "photographer/data/dossiers_etab.h"

namespace noms_photos {

qsizetype octetsPermis()
{
    // The longest name is that of a set-aside original: the archive's name, "_", its date and
    // time, and "_2" to "_99" should several be set aside in one second. It is longer than the
    // archive's temporary file (".", the name, ".XXXXXX") and the low-resolution names.
    const qsizetype separateurs = 3 * qsizetype(qstrlen(kSeparateur));
    const qsizetype misDeCote = 1 + qsizetype(qstrlen(kHorodatageMisDeCote)) + 3 + qsizetype(qstrlen(".jpg"));
    return dossiers_etab::kOctetsParNom - separateurs - misDeCote;
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

} // namespace noms_photos
