#include "school/printing/export_photos.h"

#include "common/files.h"
#include "common/paths.h"
#include "common/pictures.h"
#include "common/report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTimer>


namespace exportation {

namespace {

const QString kPhotos = QStringLiteral("Photos");
constexpr int kElevesParEtape = 20;

// Gives each student a name in "Photos": a name already taken, whatever its
// case, by a student of another class gets the first free suffix; within one
// class the names follow the class folder, where a namesake replaces the one
// before.
class NomsPhotos {
public:
    QString attribuer(const QString& classe, const QString& nom)
    {
        const QString cle = classe + QChar(u'\0') + nom;
        if (const auto deja = parClasse_.constFind(cle); deja != parClasse_.constEnd())
            return deja.value();
        QString libre = nom;
        for (int numero = 2; pris_.contains(libre.toCaseFolded()); ++numero)
            libre = avecSuffixe(nom, numero);
        pris_.insert(libre.toCaseFolded());
        parClasse_.insert(cle, libre);
        return libre;
    }

private:
    QSet<QString> pris_;
    QHash<QString, QString> parClasse_;
};

// A link is removed, never followed: nothing outside the folder is touched.
bool supprimer(const QString& chemin)
{
    const QFileInfo info(chemin);
    if (info.isSymLink() || (info.exists() && !info.isDir()))
        return QFile::remove(chemin);
    return !info.exists() || QDir(chemin).removeRecursively();
}

} // namespace

Plan planifier(db::Database& base, const QString& dossierImages, const Motif& motif)
{
    Plan plan;
    NomsPhotos photos;
    const db::Rows classes = base.query(QStringLiteral(
        "SELECT DISTINCT Classe COLLATE FR AS Classe FROM Eleves WHERE Classe <> '' ORDER BY 1"));
    for (const db::Row& ligneClasse : classes) {
        const QString classe = ligneClasse[u"Classe"];
        const QString dossier = composant(classe);
        if (!dossier.isEmpty())
            plan.dossiersClasses << dossier;
        const db::Rows eleves = base.query(
            QStringLiteral("SELECT Nom, Prenom, INE, NumInterne, NomPhoto FROM Eleves WHERE Classe = ?1 COLLATE FR "
                           "ORDER BY CdeEleves"),
            {classe});
        for (int n = 0; n < int(eleves.size()); ++n) {
            const db::Row& l = eleves[size_t(n)];
            const Eleve eleve{classe, l[u"Nom"], l[u"Prenom"], l[u"INE"], l[u"NumInterne"], l[u"NomPhoto"]};
            const QString nom = nomFichier(motif, eleve, n);
            const QString nomPhotos = photos.attribuer(classe, nom);
            // A class named like "Photos" shares its folder: one name serves both.
            const bool dossierPhotos = dossier.compare(kPhotos, Qt::CaseInsensitive) == 0;
            plan.copies.push_back({pictures::findStudentPicture(dossierImages, eleve.nomPhoto, eleve.nom, eleve.prenom),
                                   dossier, dossierPhotos ? nomPhotos : nom, nomPhotos});
        }
    }
    return plan;
}

QString preparer(const QString& exportation, const Plan& plan)
{
    if (!supprimer(exportation)) {
        report::detail(QStringLiteral("exportation : suppression impossible de ") + exportation);
        return QStringLiteral("L'ancien dossier %1 n'a pas pu être supprimé : un de ses fichiers est peut-être "
                              "ouvert dans un autre logiciel. Fermez-le, puis recommencez l'exportation.")
            .arg(QDir::toNativeSeparators(exportation));
    }
    for (const QString& dossier : QStringList{kPhotos} + plan.dossiersClasses) {
        const QString chemin = paths::join(exportation, {dossier});
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
    bilan_ = {int(plan_.copies.size()), 0};
    enCours_ = true;
    QTimer::singleShot(0, this, &Copieur::etape);
}

void Copieur::etape()
{
    const size_t fin = std::min(plan_.copies.size(), suivante_ + kElevesParEtape);
    for (; suivante_ < fin; ++suivante_)
        if (!copier(plan_.copies[suivante_]))
            ++bilan_.nonExportes;
    const size_t total = plan_.copies.size();
    Q_EMIT progression(total == 0 ? 100 : int(100 * suivante_ / total));
    if (suivante_ < total) {
        QTimer::singleShot(0, this, &Copieur::etape);
        return;
    }
    enCours_ = false;
    Q_EMIT termine(bilan_);
}

bool Copieur::copier(const Copie& copie) const
{
    if (copie.source.isEmpty())
        return false;
    bool reussi = !copie.dossierClasse.isEmpty();
    QStringList cibles{paths::join(exportation_, {kPhotos, copie.nomPhotos})};
    if (reussi)
        cibles.prepend(paths::join(exportation_, {copie.dossierClasse, copie.nomClasse}));
    for (const QString& cible : cibles) {
        if (!files::copyWhole(copie.source, cible).isEmpty()) {
            report::detail(QStringLiteral("exportation : copie impossible de %1 vers %2").arg(copie.source, cible));
            reussi = false;
        }
    }
    return reussi;
}

} // namespace exportation
