#pragma once

#include "common/database.h"
#include "common/paths.h"
#include "photographer/deliveries/livraison.h"
#include "photographer/data/base.h"
#include "photographer/workspace/accueil.h"
#include "photographer/workspace/demarrage.h"
#include "photographer/data/etat.h"
#include "tests/support/recording_shell.h"
#include "tests/support/sandbox.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QMap>

// A photographer's machine in a fresh root with one current establishment,
// "Collège Jeanne d'Arc", its photographer's record, scripted dialogs and a
// recording shell. Every form still loaded at the end is unloaded.
class LivraisonFixture : public ::testing::Test {
protected:
    LivraisonFixture()
    {
        Accueil::registerAsMainWindow();
        preparerPoste();
    }

    ~LivraisonFixture() override
    {
        livraison::finirProgramme();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        base::fermer();
    }

    // The data folder and database of the current root, and the establishment.
    static void preparerPoste()
    {
        base::fermer();
        demarrage::fixerDossierDonnees();
        paths::ensureFolder(etat::CheminDonnees);
        etat::DossierHot = demarrage::dossierHotParDefaut();
        paths::ensureFolder(etat::DossierHot);
        etat::NomEtabEnCours = QStringLiteral("Collège Jeanne d'Arc");
        etat::CodeEtabEnCours = etablissement(etat::NomEtabEnCours);
        base::db().exec(QStringLiteral(
            "INSERT INTO Photographe (NomP, Adresse1P, CPP, VilleP, Mail, Web) VALUES "
            "('Studio Lumière', '1 rue des Arts', '69001', 'Lyon', 'studio@exemple.fr', 'studio.exemple.fr')"));
    }

    static QString etablissement(const QString& nom)
    {
        return QString::number(base::db().insert(
            QStringLiteral("INSERT INTO Etablissements (Nom, Adresse, \"Code Postal\", Ville, Telephone, Mail) "
                           "VALUES (?1, '12 rue de la Paix', '75002', 'Paris', '0102030405', 'college@exemple.fr')"),
            {nom}));
    }

    static QString eleve(const QString& classe, const QString& nom, const QString& prenom,
                         const QString& ine = {}, const QString& code = etat::CodeEtabEnCours)
    {
        return QString::number(base::db().insert(
            QStringLiteral("INSERT INTO Eleves (CodeEtablissement, Classe, Nom, Prenom, Naissance, Regime, INE, "
                           "NumInterne, NomPhoto) VALUES (?1, ?2, ?3, ?4, '01/02/2012', 'DP', ?5, 'N' || ?3, 'IMG.JPG')"),
            {code, classe, nom, prenom, ine}));
    }

    // The establishment's resale prices: one pack line and two incomplete
    // packs, the second without a public price.
    static void tarifs(const QString& code = etat::CodeEtabEnCours)
    {
        base::db().exec(QStringLiteral(
            "INSERT INTO RecTarifs VALUES (?1, 'P1', 'Pochette classique', '10,00', '15,00', '8,00', '12,00', "
            "'A1', 'Agrandissement', '3,00', '5,00', '2,50', '4,00')"), {code});
        base::db().exec(QStringLiteral("INSERT INTO RecPochetteInc VALUES (?1, 'deux', '2', 'Deux photos', '4,00', '7,50')"),
                        {code});
        base::db().exec(QStringLiteral("INSERT INTO RecPochetteInc VALUES (?1, 'une', '1', 'Une photo', '2,00', '')"),
                        {code});
    }

    // A small real picture.
    static QByteArray jpeg()
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QByteArray octets;
        QBuffer tampon(&octets);
        tampon.open(QIODevice::WriteOnly);
        image.save(&tampon, "JPEG");
        return octets;
    }

    static QString photo(const QString& dossier, const QString& nom)
    {
        return Sandbox::writeFile(paths::join(dossier, {nom}), jpeg());
    }

    static QByteArray lire(const QString& fichier)
    {
        QFile f(fichier);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The files under a folder, relative and sorted (hidden ones included).
    static QStringList arbre(const QString& dossier)
    {
        QStringList fichiers;
        QDirIterator it(dossier, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            fichiers.append(QDir(dossier).relativeFilePath(it.next()));
        fichiers.sort();
        return fichiers;
    }

    // The files under a folder (hidden ones included) with their contents.
    static QMap<QString, QByteArray> contenu(const QString& dossier)
    {
        QMap<QString, QByteArray> fichiers;
        for (const QString& fichier : arbre(dossier))
            fichiers.insert(fichier, lire(paths::join(dossier, fichier.split(u'/'))));
        return fichiers;
    }

    QString bureau(const QString& relatif) const { return paths::join(sandbox_.desktop(), relatif.split(u'/')); }

    Sandbox sandbox_;
    ScriptedDialogs dialogues_;
    RecordingShell shell_;
};
