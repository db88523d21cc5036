#include "school/workspace/nouvel_eleve.h"

#include "common/paths.h"
#include "school/data/photos_en_attente.h"

#include <QFileInfo>

namespace nouvel_eleve {

QString racineLibre(qint64 cle, const std::function<bool(const QString&)>& prise)
{
    // A letter first: the photographer's keys that delivered students carry are numbers.
    const QString base = QStringLiteral("E") + QString::number(cle);
    QString racine = base;
    for (int suffixe = 1; prise(racine); ++suffixe)
        racine = base + u'_' + QString::number(suffixe);
    return racine;
}

Resultat enregistrer(db::Database& base, const QString& dossierDonnees, const QString& classe,
                     const QString& nom, const QString& prenom, const QString& fichierPhoto)
{
    Resultat resultat;
    const QString images = paths::join(dossierDonnees, {QStringLiteral("images")});
    if (!paths::ensureFolder(images)) {
        resultat.erreur = QStringLiteral("Le dossier « %1 » n'a pas pu être créé : l'élève n'a pas été ajouté.")
                              .arg(images);
        return resultat;
    }
    const auto cheminImage = [&](const QString& racine) {
        return paths::join(images, {racine + QStringLiteral(".jpg")});
    };

    db::Database::Transaction transaction(base);
    resultat.cle = base.insert(QStringLiteral("INSERT INTO Eleves (Classe, Nom, Prenom) VALUES (?, ?, ?)"),
                               {classe, nom, prenom});
    resultat.racine = racineLibre(resultat.cle, [&](const QString& racine) {
        return QFileInfo::exists(cheminImage(racine))
               || !base.scalar(QStringLiteral("SELECT 1 FROM Eleves WHERE (NomPhoto = ?1 OR CodeEtablissement = ?1)"
                                              " AND CdeEleves <> ?2"
                                              " UNION ALL SELECT 1 FROM Ventes WHERE Num_Eleves = ?1 LIMIT 1"),
                               {racine, resultat.cle})
                       .isEmpty();
    });
    resultat.photo = cheminImage(resultat.racine);
    base.exec(QStringLiteral("UPDATE Eleves SET NomPhoto = ?1, CodeEtablissement = ?1 WHERE CdeEleves = ?2"),
              {resultat.racine, resultat.cle});

    // The picture waits under a temporary name until the row is committed: a
    // power cut before leaves no picture of nobody under a student's name (the
    // next start removes the temporary file), and one after leaves the record
    // that the next start finishes the picture's rename from.
    PhotoEnAttente photo(resultat.photo);
    if (!photo.copier(fichierPhoto)) {
        resultat.erreur = QStringLiteral("La photo « %1 » n'a pas pu être copiée vers « %2 » :"
                                         " l'élève n'a pas été ajouté.")
                              .arg(fichierPhoto, resultat.photo);
        return resultat;
    }
    photo.noter(base, resultat.cle);
    transaction.commit();
    if (!photo.mettreEnPlace(base)) {
        // The picture cannot take its name: the student goes too, as nothing was added.
        db::Database::Transaction retrait(base);
        base.exec(QStringLiteral("DELETE FROM Eleves WHERE CdeEleves = ?"), {resultat.cle});
        photo.oublier(base);
        retrait.commit();
        resultat.erreur = photo.erreur() + QStringLiteral(" L'élève n'a pas été ajouté.");
    }
    return resultat;
}

} // namespace nouvel_eleve
