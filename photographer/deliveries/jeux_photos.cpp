#include "photographer/deliveries/jeux_photos.h"

#include "common/paths.h"
#include "common/report.h"
#include "photographer/data/noms_photos.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>


namespace jeux_photos {

namespace {

using livraison::Issue;

QString remplacer(QString nom, std::initializer_list<std::pair<const char*, const char*>> remplacements)
{
    for (const auto& [avant, apres] : remplacements)
        nom.replace(QString::fromLatin1(avant), QString::fromLatin1(apres));
    return nom;
}

// The class, surname and first name of an archive file; empty when the name
// does not split into them.
QStringList partiesArchive(const QString& nom)
{
    const QStringList parties = nom.split(QString::fromLatin1(noms_photos::kSeparateur));
    return parties.size() >= 3 ? parties.mid(0, 3) : QStringList();
}

QString dossierSource(Source source, const dossiers_etab::Dossiers& dossiers)
{
    switch (source) {
    case Source::BasseResolution:
        return dossiers.br;
    case Source::Classes:
        return dossiers.br3;
    case Source::Archive:
        return dossiers.archive;
    }
    return {};
}

// The copies of the set: the listed files renamed, or the whole class tree.
std::vector<livraison::Copie> copies(const Regle& regle, const QString& source, const QString& destination)
{
    std::vector<livraison::Copie> resultat;
    if (regle.source == Source::Classes) {
        QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString fichier = it.next();
            resultat.push_back({fichier, paths::join(destination, QDir(source).relativeFilePath(fichier).split(u'/'))});
        }
        return resultat;
    }
    for (const QString& nom : livraison::fichiersVisibles(source)) {
        const QString nouveau = regle.renommer(nom);
        if (nouveau.isEmpty()) {
            report::detail(QStringLiteral("nom non reconnu, fichier non livré : ") + nom);
            continue;
        }
        resultat.push_back({paths::join(source, {nom}), paths::join(destination, {paths::component(nouveau)})});
    }
    return resultat;
}

// A set that adds to its folder rather than replacing it starts from the
// earlier folder's files, except those the new set writes again.
std::vector<livraison::Copie> reprises(const QString& livre, const QString& chantier,
                                       const std::vector<livraison::Copie>& nouvelles)
{
    QSet<QString> ecrites;
    for (const livraison::Copie& copie : nouvelles)
        ecrites.insert(copie.cible);
    std::vector<livraison::Copie> resultat;
    QDirIterator it(livre, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString fichier = it.next();
        const QString cible = paths::join(chantier, QDir(livre).relativeFilePath(fichier).split(u'/'));
        if (!ecrites.contains(cible))
            resultat.push_back({fichier, cible});
    }
    return resultat;
}

QString creerDossiersCibles(const std::vector<livraison::Copie>& liste)
{
    QStringList faits;
    for (const livraison::Copie& copie : liste) {
        const QString dossier = QFileInfo(copie.cible).absolutePath();
        if (faits.contains(dossier))
            continue;
        if (QString erreur = livraison::creerDossier(dossier); !erreur.isEmpty())
            return erreur;
        faits.append(dossier);
    }
    return {};
}

// The whole set in the folder being built.
QString construire(const Regle& regle, const QString& source, const QString& livre, const QString& chantier,
                   const livraison::Avancement& avancement)
{
    avancement(5);
    std::vector<livraison::Copie> liste = copies(regle, source, chantier);
    if (!regle.remplacer) {
        std::vector<livraison::Copie> anciennes = reprises(livre, chantier, liste);
        liste.insert(liste.begin(), anciennes.begin(), anciennes.end());
    }
    if (QString erreur = creerDossiersCibles(liste); !erreur.isEmpty())
        return erreur;
    const int total = int(liste.size());
    return livraison::copier(liste, [&](int faites) { avancement(5 + 95 * faites / total); });
}

} // namespace

QString nomPrenom(const QString& nom)
{
    return remplacer(nom, {{"_", "-"}, {"--", "-"}});
}

QString nomPointPrenom(const QString& nom)
{
    return remplacer(nom, {{"_", "-"}, {" ", "."}, {"--", "-"}});
}

QString nomTiretPrenom(const QString& nom)
{
    return remplacer(nom, {{"_", "-"}, {" ", "_"}, {"--", "-"}});
}

QString memeNom(const QString& nom)
{
    return nom;
}

QString classeNomPrenom(const QString& nom)
{
    const QStringList p = partiesArchive(nom);
    return p.isEmpty() ? QString() : p[0] + u'_' + p[1] + u'_' + p[2] + QStringLiteral(".jpg");
}

QString nomPrenomClasse(const QString& nom)
{
    const QStringList p = partiesArchive(nom);
    return p.isEmpty() ? QString() : p[1] + u' ' + p[2] + u' ' + p[0] + QStringLiteral(".jpg");
}

QString sansPoints(const QString& nom)
{
    const QFileInfo info(nom);
    const QString racine = info.suffix().isEmpty() ? nom : nom.chopped(info.suffix().size() + 1);
    const QStringList parties = racine.split(u'.');
    return parties.mid(0, 2).join(u' ') + QStringLiteral(".jpg");
}

const std::vector<Regle>& regles()
{
    static const std::vector<Regle> table = {
        {QStringLiteral("TransfertBR"), QStringLiteral("Transfert basse résolution pour établissement"),
         QStringLiteral("MNU_Photos_Nom_prenom"), Source::BasseResolution, false, QStringLiteral(" BR"), nomPrenom, true},
        {QStringLiteral("TransfertBR4"), QStringLiteral("Transfert BR Nom.Prénom.jpg"),
         QStringLiteral("MNU_Photos_Nom_P_prenom"), Source::BasseResolution, false, QStringLiteral(" BR_pt"),
         nomPointPrenom, true},
        {QStringLiteral("TransfertBR5"), QStringLiteral("Transfert BR Nom_Prénom.jpg"),
         QStringLiteral("MNU_Photos_Nom_T_prenom"), Source::BasseResolution, false, QStringLiteral(" BR_T"),
         nomTiretPrenom, true},
        {QStringLiteral("TransfertBR3"), QStringLiteral("Transfert Classes / Nom Prénom.jpg"),
         QStringLiteral("MNU_Photos_Classes_Nom_prenom"), Source::Classes, false, QStringLiteral(" BR3"), memeNom, false},
        {QStringLiteral("TransfertHD1"), QStringLiteral("Transfert HD"), QStringLiteral("MNU_HD1"), Source::Archive, true,
         QString(), classeNomPrenom, false},
        {QStringLiteral("TransfertHD2"), QStringLiteral("Transfert HD"), QStringLiteral("MNU_HD2"), Source::Archive, true,
         QString(), nomPrenomClasse, false},
        {QStringLiteral("TransfertBR2"), QStringLiteral("Transfert Nom Prénom.jpg"), QString(), Source::BasseResolution,
         false, QStringLiteral(" BR2"), sansPoints, true},
    };
    return table;
}

const Regle* regleDEntree(const QString& entree)
{
    if (entree.isEmpty())
        return nullptr;
    for (const Regle& regle : regles()) {
        if (regle.entree == entree)
            return &regle;
    }
    return nullptr;
}

Issue livrer(const Regle& regle, const QString& nomEtab, const livraison::Avancement& avancement)
{
    if (QString refus = livraison::refusNom(nomEtab); !refus.isEmpty())
        return Issue::echec(refus);
    const QString source = dossierSource(regle.source, dossiers_etab::de(nomEtab));
    if (!QFileInfo(source).isDir())
        return Issue::echec(QStringLiteral("Aucune photo n'a encore été classée pour l'établissement « %1 » : le dossier "
                                           "« %2 » n'existe pas.")
                                .arg(nomEtab, QDir::toNativeSeparators(source)));
    const QString racine = regle.labo ? livraison::racineLabo() : livraison::racineAGraver();
    if (QString erreur = livraison::creerDossier(racine); !erreur.isEmpty())
        return Issue::echec(erreur);
    const QString livre = paths::join(racine, {paths::component(nomEtab + regle.suffixe)});
    if (QString erreur = livraison::construireAPart(
            livre, [&](const QString& chantier) { return construire(regle, source, livre, chantier, avancement); });
        !erreur.isEmpty())
        return Issue::echec(erreur);
    avancement(100);
    const QString message = regle.labo
        ? QStringLiteral("Transfert terminé. Vous pouvez graver le contenu du dossier labo\\%1 situé sur le bureau").arg(nomEtab)
        : QStringLiteral("Transfert terminé. Vous pouvez graver le contenu du dossier A GRAVER\\%1%2 situé sur le bureau")
              .arg(nomEtab, regle.suffixe);
    return Issue::succes(message, racine);
}

} // namespace jeux_photos
