#include "photographer/deliveries/jeux_photos.h"

#include "common/database.h"
#include "common/namesakes.h"
#include "common/paths.h"
#include "common/pictures.h"
#include "common/report.h"
#include "photographer/data/noms_photos.h"
#include "photographer/data/roster.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
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

// What a set copies, and how many of the photographed students it delivers.
struct Plan {
    std::vector<livraison::Copie> copies;
    int livres = 0;
    QStringList manquants; // "DUPONT Émile (classe 5D)"
};

// A photographed student of the establishment and the file of the set's source folder
// that bears his names (noms_photos), relative to it.
struct Photographie {
    roster::Eleve eleve;
    int numero = 1;
    QString fichier;
    QString travail; // his working picture
};

std::vector<Photographie> photographies(const Regle& regle, const dossiers_etab::Dossiers& dossiers,
                                        const QString& codeEtab)
{
    const QHash<QString, int> numeros = roster::numeros(codeEtab);
    std::vector<Photographie> resultat;
    for (const roster::Eleve& eleve : roster::tous(codeEtab)) {
        const QString travail = pictures::findStudentPicture(dossiers.donnees, eleve.cle, eleve.nom, eleve.prenom);
        if (travail.isEmpty())
            continue;
        const int numero = numeros.value(eleve.cle, 1);
        QString fichier;
        switch (regle.source) {
        case Source::BasseResolution:
            fichier = noms_photos::nomBasseResolution(eleve.nom, eleve.prenom, numero);
            break;
        case Source::Classes:
            fichier = noms_photos::dossierClasse(eleve.classe) + u'/'
                + noms_photos::nomBasseResolution(eleve.nom, eleve.prenom, numero);
            break;
        case Source::Archive:
            fichier = noms_photos::nomArchive(eleve.classe, eleve.nom, eleve.prenom, numero);
            break;
        }
        resultat.push_back({eleve, numero, fichier, travail});
    }
    return resultat;
}

// The rule's name for a student's file: that of his plain names, numbered as his file is.
QString renommerEleve(const Regle& regle, const Photographie& photo, const QString& trouve)
{
    const QString nouveau = regle.renommer(namesakes::unnumbered(trouve, photo.numero));
    return nouveau.isEmpty() ? QString() : namesakes::numbered(nouveau, photo.numero);
}

// Whether the low-resolution file is a copy of the student's working picture, as the capture
// writes it: a file under his names that is not (a deleted student's, say) is never delivered
// as his.
bool copieDe(const QString& fichier, const QString& travail)
{
    QFile copie(fichier), original(travail);
    return copie.size() == original.size() && copie.open(QIODevice::ReadOnly) && original.open(QIODevice::ReadOnly)
        && copie.readAll() == original.readAll();
}

// The files of the source folder (relative; with the class sub-folders for the tree), found by
// their names as a folder compares them: the capture spells the class as the board shows it.
// Two files of one name but for its case are both there.
using Fichiers = QMultiHash<QString, QString>;

Fichiers fichiersSource(const Regle& regle, const QString& source)
{
    Fichiers fichiers;
    if (regle.source == Source::Classes) {
        QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString relatif = QDir(source).relativeFilePath(it.next());
            fichiers.insert(namesakes::key(relatif), relatif);
        }
        return fichiers;
    }
    for (const QString& nom : livraison::fichiersVisibles(source))
        fichiers.insert(namesakes::key(nom), nom);
    return fichiers;
}

// Takes the student's file out of the files left: the one spelt as his names are, else one
// that a folder would not tell from it. "" when there is none.
QString prendre(Fichiers& restants, const QString& fichier)
{
    const QString cle = namesakes::key(fichier);
    auto trouve = restants.find(cle, fichier);
    if (trouve == restants.end())
        trouve = restants.find(cle);
    if (trouve == restants.end())
        return {};
    const QString nom = trouve.value();
    restants.erase(trouve);
    return nom;
}

// The copies of the set. Each photographed student's file goes under the rule's name for his
// plain names, numbered as his files are, so that namesakes never share a file; the files that
// are nobody's now (a deleted student's) follow under the rule's name of their own. Two names
// that the rule makes one ("Jean_Pierre" and "Jean-Pierre") get the first free number. The
// class tree is copied whole. A student whose file is missing, or whose low-resolution file is
// not a copy of his picture, is counted out, and that file is not delivered under his names.
Plan planifier(const Regle& regle, const std::vector<Photographie>& photos, const QString& source,
               const QString& destination)
{
    Plan plan;
    Fichiers restants = fichiersSource(regle, source);
    namesakes::UniqueNames cibles;
    const auto copier = [&](const QString& fichier, const QString& nouveau) {
        const QStringList parties = nouveau.split(u'/');
        QStringList composants;
        for (const QString& partie : parties)
            composants << paths::component(partie);
        if (regle.source != Source::Classes)
            composants.last() = cibles.take(composants.last());
        plan.copies.push_back({paths::join(source, fichier.split(u'/')), paths::join(destination, composants)});
    };
    for (const Photographie& photo : photos) {
        const QString trouve = prendre(restants, photo.fichier);
        const QString nouveau = regle.source == Source::Classes || trouve.isEmpty() ? trouve
                                                                                    : renommerEleve(regle, photo, trouve);
        const bool sienne = !nouveau.isEmpty()
            && (regle.source == Source::Archive || copieDe(paths::join(source, trouve.split(u'/')), photo.travail));
        if (!sienne) {
            plan.manquants << QStringLiteral("%1 %2 (classe %3)").arg(photo.eleve.nom, photo.eleve.prenom,
                                                                       photo.eleve.classe);
            continue;
        }
        ++plan.livres;
        copier(trouve, nouveau);
    }
    QStringList autres = restants.values();
    autres.sort();
    for (const QString& fichier : autres) {
        const QString nouveau = regle.source == Source::Classes ? fichier : regle.renommer(fichier);
        if (nouveau.isEmpty()) {
            report::detail(QStringLiteral("nom non reconnu, fichier non livré : ") + fichier);
            continue;
        }
        copier(fichier, nouveau);
    }
    return plan;
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
QString construire(const Regle& regle, const std::vector<Photographie>& photos, const QString& source,
                   const QString& livre, const QString& chantier, const livraison::Avancement& avancement,
                   Plan& plan)
{
    avancement(5);
    plan = planifier(regle, photos, source, chantier);
    std::vector<livraison::Copie> liste = plan.copies;
    if (!regle.remplacer) {
        std::vector<livraison::Copie> anciennes = reprises(livre, chantier, liste);
        liste.insert(liste.begin(), anciennes.begin(), anciennes.end());
    }
    if (QString erreur = creerDossiersCibles(liste); !erreur.isEmpty())
        return erreur;
    const int total = int(liste.size());
    return livraison::copier(liste, [&](int faites) { avancement(5 + 95 * faites / total); });
}

// What the end message adds when a photographed student is not in the set.
QString bilan(const Plan& plan, const QString& source)
{
    if (plan.manquants.isEmpty())
        return {};
    constexpr qsizetype kNommes = 20;
    QStringList noms = plan.manquants.mid(0, kNommes);
    if (plan.manquants.size() > kNommes)
        noms << QStringLiteral("… et %1 autre(s)").arg(plan.manquants.size() - kNommes);
    return QStringLiteral("\n\nAttention : %1 élève(s) photographié(s) sur %2 n'ont pas été livré(s), car le dossier "
                          "« %3 » ne contient pas leur photo :\n%4")
        .arg(QString::number(plan.manquants.size()), QString::number(plan.livres + plan.manquants.size()),
             QDir::toNativeSeparators(source), noms.join(u'\n'));
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

Issue livrer(const Regle& regle, const QString& codeEtab, const QString& nomEtab,
             const livraison::Avancement& avancement)
{
    if (QString refus = livraison::refusNom(nomEtab); !refus.isEmpty())
        return Issue::echec(refus);
    const dossiers_etab::Dossiers dossiers = dossiers_etab::de(nomEtab);
    const QString source = dossierSource(regle.source, dossiers);
    if (!QFileInfo(source).isDir())
        return Issue::echec(QStringLiteral("Aucune photo n'a encore été classée pour l'établissement « %1 » : le dossier "
                                           "« %2 » n'existe pas.")
                                .arg(nomEtab, QDir::toNativeSeparators(source)));
    std::vector<Photographie> photos;
    try {
        photos = photographies(regle, dossiers, codeEtab);
    } catch (const db::Error& error) {
        return Issue::echec(report::logged(error));
    }
    const QString racine = regle.labo ? livraison::racineLabo() : livraison::racineAGraver();
    if (QString erreur = livraison::creerDossier(racine); !erreur.isEmpty())
        return Issue::echec(erreur);
    const QString livre = paths::join(racine, {paths::component(nomEtab + regle.suffixe)});
    Plan plan;
    if (QString erreur = livraison::construireAPart(livre, [&](const QString& chantier) {
            return construire(regle, photos, source, livre, chantier, avancement, plan);
        });
        !erreur.isEmpty())
        return Issue::echec(erreur);
    avancement(100);
    const QString message = regle.labo
        ? QStringLiteral("Transfert terminé. Vous pouvez graver le contenu du dossier labo\\%1 situé sur le bureau").arg(nomEtab)
        : QStringLiteral("Transfert terminé. Vous pouvez graver le contenu du dossier A GRAVER\\%1%2 situé sur le bureau")
              .arg(nomEtab, regle.suffixe);
    return Issue::succes(message + bilan(plan, source), racine);
}

} // namespace jeux_photos
