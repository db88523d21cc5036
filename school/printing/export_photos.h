#pragma once

#include "common/database.h"
#include "school/printing/noms_export.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

// The photo export: every student of a class gets its picture copied into
// its class folder and into "Photos" of the desktop folder "Exportation".
namespace exportation {

struct Copie {
    QString source;        // the student's picture, "" when it has none
    QString refusee;       // a file under the picture's name that is no picture (a link, an empty file), never copied
    QString dossierClasse; // the class folder's name, "" when the class cannot name a folder
    QString nomClasse;     // the file's name in the class folder, its own there
    QString nomPhotos;     // the file's name in "Photos", its own there
};

struct Plan {
    QStringList dossiersClasses; // one per class, its own whatever the case
    std::vector<Copie> copies;   // one per student with a class, classes in ascending order
};

// Reads the students now. Students without a class are left out; within a
// class they come in key order, which numbers the unknown identifiers.
// Namesakes and classes that name one folder ("6/A" and "6_A") never share
// a file or a folder: the later one gets a suffix.
Plan planifier(db::Database& base, const QString& dossierImages, const Motif& motif);

// Settles what an earlier stopped export left aside and creates the folder to
// build in (files::startBuildingAside) with "Photos" and the class folders.
// The export in place is left as it is, unless a power cut stopped its
// replacement: that one is finished first. "" or a French message that names
// the folder that could not be removed or created, and why.
[[nodiscard]] QString preparer(const QString& exportation, const Plan& plan);

// Copies the plan in small steps so that the window keeps answering.
class Copieur : public QObject {
    Q_OBJECT
public:
    struct Bilan {
        int eleves = 0;
        int exportes = 0;  // both copies written
        int sansPhoto = 0;
        int echecs = 0;    // the picture is no picture, or a copy of it failed
        bool enregistre = true; // the disk took every written file
        QString refus;          // "" or why the new export could not take the earlier one's place
    };

    using QObject::QObject;

    // Starts copying into the folder that preparer() made ready, then puts it
    // in place of the export whole.
    void lancer(const QString& exportation, Plan plan);
    bool enCours() const { return enCours_; }

Q_SIGNALS:
    void progression(int pourcent);
    void termine(exportation::Copieur::Bilan bilan);

private:
    void etape();
    void mettreEnPlace();
    bool copier(const Copie& copie) const;

    QString exportation_;
    Plan plan_;
    size_t suivante_ = 0;
    Bilan bilan_;
    bool enCours_ = false;
};

// The closing message: where the files are, how many pictures were written
// and how many were not; for an export not put in place, why, and which
// export stands as the replacement reported it.
QString messageFin(const Copieur::Bilan& bilan);

} // namespace exportation
