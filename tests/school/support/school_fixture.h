#pragma once

#include "tests/support/sandbox.h"

#include <QColor>
#include <QList>
#include <QString>

#include <optional>

class QLabel;

// A school data folder for one test: on top of a Sandbox, sets
// etat::CheminDonnees to <root>/vizmora2020, creates the school database from
// the schema and the images folder. Students get small JPEG portraits, each
// of its own colour, so that a test can tell whose picture a cell shows.
class SchoolFixture {
public:
    SchoolFixture();                            // owns a fresh Sandbox
    explicit SchoolFixture(Sandbox& sandbox);   // works in the caller's Sandbox
    ~SchoolFixture();
    SchoolFixture(const SchoolFixture&) = delete;
    SchoolFixture& operator=(const SchoolFixture&) = delete;

    // One Eleves row; NomPhoto is the new key and, with avecPhoto, a 60x80
    // JPEG images/<key>.jpg is written. Returns the key.
    qint64 ajouterEleve(const QString& classe, const QString& nom, const QString& prenom,
                        bool avecPhoto = true);

    // nombre students with distinct names ("Nom001" ... with the first name
    // "Prénom <classe>"), each with a portrait. They are inserted in reverse
    // surname order, so that key order never passes for surname order.
    // Returns the keys in surname order.
    QList<qint64> ajouterClasse(const QString& classe, int nombre);

    // A Goupes row copied from the student, as the group wizard writes it:
    // NomGroupe, N_Eleves (the student's NomPhoto), Classe, Nom, Prenom.
    // Returns CdeGroupes.
    qint64 ajouterAuGroupe(const QString& groupe, qint64 cdeEleve);

    // The single Etablissement row, created or renamed.
    void nommerEtablissement(const QString& nom);

    QString dossier() const;                    // etat::CheminDonnees
    QString dossierImages() const;              // <dossier>/images
    QString cheminPhoto(qint64 cdeEleve) const; // <dossier>/images/<key>.jpg
    Sandbox& sandbox() { return *sandbox_; }

    // The colour of the portrait written for a student.
    static QColor couleurPortrait(qint64 cdeEleve);
    // Writes a 60x80 JPEG of one colour; false when it could not be written.
    static bool ecrirePortrait(const QString& chemin, const QColor& couleur);
    // True when the picture shown by the label has that colour at its centre.
    static bool montreCouleur(const QLabel* image, const QColor& couleur);
    // The bytes of a file, empty when it cannot be read.
    static QByteArray lire(const QString& chemin);

private:
    void preparer();

    std::optional<Sandbox> propre_;
    Sandbox* sandbox_ = nullptr;
};
