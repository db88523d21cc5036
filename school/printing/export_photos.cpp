#include "school/printing/export_photos.h"

#include "common/files.h"
#include "common/paths.h"
#include "common/pictures.h"
#include "common/report.h"

#include <QDir>
#include <QTimer>


namespace exportation {

namespace {

const QString kPhotos = QStringLiteral("Photos");
constexpr int kElevesParEtape = 20;

} // namespace

Plan planifier(db::Database& base, const QString& dossierImages, const Motif& motif)
{
    Plan plan;
    NomsUniques dossiers{{kPhotos}};
    NomsUniques photos;
    const db::Rows classes = base.query(QStringLiteral(
        "SELECT DISTINCT Classe COLLATE FR AS Classe FROM Eleves WHERE Classe <> '' ORDER BY 1"));
    for (const db::Row& ligneClasse : classes) {
        const QString classe = ligneClasse[u"Classe"];
        const QString nomDossier = composant(classe);
        const QString dossier = nomDossier.isEmpty() ? QString() : dossiers.take(nomDossier);
        if (!dossier.isEmpty())
            plan.dossiersClasses << dossier;
        NomsUniques dansLaClasse;
        const db::Rows eleves = base.query(
            QStringLiteral("SELECT Nom, Prenom, INE, NumInterne, NomPhoto FROM Eleves WHERE Classe = ?1 COLLATE FR "
                           "ORDER BY CdeEleves"),
            {classe});
        for (int n = 0; n < int(eleves.size()); ++n) {
            const db::Row& l = eleves[size_t(n)];
            const Eleve eleve{classe, l[u"Nom"], l[u"Prenom"], l[u"INE"], l[u"NumInterne"], l[u"NomPhoto"]};
            const pictures::StudentPicture photo =
                pictures::lookUpStudentPicture(dossierImages, eleve.nomPhoto, eleve.nom, eleve.prenom);
            Copie copie{photo.path, photo.refused, dossier, {}, {}};
            // A student without a picture takes no name from the others.
            if (!copie.source.isEmpty()) {
                const QString nom = nomFichier(motif, eleve, n);
                copie.nomClasse = dansLaClasse.take(nom);
                copie.nomPhotos = photos.take(nom);
            }
            plan.copies.push_back(copie);
        }
    }
    return plan;
}

QString preparer(const QString& exportation, const Plan& plan)
{
    if (QString refus = files::startBuildingAside(exportation); !refus.isEmpty())
        return refus;
    const QString aCote = files::builtAsideFor(exportation);
    for (const QString& dossier : QStringList{kPhotos} + plan.dossiersClasses) {
        const QString chemin = paths::join(aCote, {dossier});
        // A class folder that cannot be made only fails the copies into it.
        if (!paths::ensureFolder(chemin) && dossier == kPhotos) {
            report::detail(QStringLiteral("exportation : création impossible de ") + chemin);
            return QStringLiteral("Le dossier %1 n'a pas pu être créé.").arg(QDir::toNativeSeparators(chemin));
        }
    }
    return {};
}

void Copieur::lancer(const QString& exportation, Plan plan)
{
    if (enCours_)
        return;
    exportation_ = exportation;
    plan_ = std::move(plan);
    suivante_ = 0;
    bilan_ = {};
    bilan_.eleves = int(plan_.copies.size());
    enCours_ = true;
    QTimer::singleShot(0, this, &Copieur::etape);
}

void Copieur::etape()
{
    const size_t fin = std::min(plan_.copies.size(), suivante_ + kElevesParEtape);
    for (; suivante_ < fin; ++suivante_) {
        const Copie& copie = plan_.copies[suivante_];
        if (!copie.source.isEmpty()) {
            if (copier(copie))
                ++bilan_.exportes;
            else
                ++bilan_.echecs;
        } else if (!copie.refusee.isEmpty()) {
            report::detail(QStringLiteral("exportation : %1 n'est pas une photo (lien, fichier vide ou dossier)")
                               .arg(copie.refusee));
            ++bilan_.echecs;
        } else {
            ++bilan_.sansPhoto;
        }
    }
    const size_t total = plan_.copies.size();
    Q_EMIT progression(total == 0 ? 100 : int(100 * suivante_ / total));
    if (suivante_ < total) {
        QTimer::singleShot(0, this, &Copieur::etape);
        return;
    }
    mettreEnPlace();
    enCours_ = false;
    Q_EMIT termine(bilan_);
}

void Copieur::mettreEnPlace()
{
    const QString aCote = files::builtAsideFor(exportation_);
    // One flush for the whole export: the copies did not wait for the disk.
    // What the disk did not confirm does not replace an export it did.
    bilan_.enregistre = files::syncFileSystem(aCote);
    if (bilan_.enregistre)
        bilan_.refus = files::replaceFolder(exportation_);
    if (!bilan_.enregistre || !bilan_.refus.isEmpty())
        files::dropBuiltAside(exportation_);
}

bool Copieur::copier(const Copie& copie) const
{
    bool reussi = !copie.dossierClasse.isEmpty();
    const QString aCote = files::builtAsideFor(exportation_);
    QStringList cibles{paths::join(aCote, {kPhotos, copie.nomPhotos})};
    if (reussi)
        cibles.prepend(paths::join(aCote, {copie.dossierClasse, copie.nomClasse}));
    for (const QString& cible : cibles) {
        if (!files::copyWhole(copie.source, cible, files::Sync::InBuiltFolder).isEmpty()) {
            report::detail(QStringLiteral("exportation : copie impossible de %1 vers %2").arg(copie.source, cible));
            reussi = false;
        }
    }
    return reussi;
}

QString messageFin(const Copieur::Bilan& bilan)
{
    if (!bilan.enregistre)
        return QStringLiteral("Le disque n'a pas confirmé l'enregistrement des photos.\nAucune photo n'a été "
                              "exportée : le dossier Exportation du bureau est resté tel qu'il était.");
    // The replacement's message says which export stands (after a failed
    // put-back, the earlier one waits under a hidden name): nothing is added
    // that could contradict it.
    if (!bilan.refus.isEmpty())
        return bilan.refus + QStringLiteral("\nAucune photo n'a été exportée.");
    const bool rien = bilan.exportes == 0 && bilan.eleves > 0;
    QString message = rien ? QStringLiteral("Aucune photo n'a été exportée.")
                           : QStringLiteral("Les fichiers ont été exportés sur le bureau, à l'intérieur du dossier : "
                                            "Exportation");
    if (bilan.eleves > 0)
        message += QStringLiteral("\n\n%1 photo(s) exportée(s) sur %2 élève(s).").arg(bilan.exportes).arg(bilan.eleves);
    if (bilan.sansPhoto > 0)
        message += QStringLiteral("\n%1 élève(s) sans photo.").arg(bilan.sansPhoto);
    if (bilan.echecs > 0)
        message += QStringLiteral("\n%1 photo(s) n'ont pas pu être copiée(s).").arg(bilan.echecs);
    return message;
}

} // namespace exportation
