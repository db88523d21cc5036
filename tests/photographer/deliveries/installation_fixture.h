#pragma once

#include "tests/photographer/deliveries/livraison_fixture.h"

#include "common/files.h"
#include "common/pictures.h"
#include "photographer/deliveries/paquet_ecole.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

struct Execution {
    int code = -1;
    bool tue = false; // ended by a signal (kill -9)
    QString sortie;
};

// Runs "sh <script>" in a folder, as the school does from the package folder.
inline Execution lancer(const QString& dossier, const QString& script, const QProcessEnvironment& env)
{
    QProcess processus;
    processus.setProcessEnvironment(env);
    processus.setWorkingDirectory(dossier);
    processus.start(QStringLiteral("/bin/sh"), {script});
    if (!processus.waitForFinished(60000))
        return {};
    return {processus.exitCode(), processus.exitStatus() == QProcess::CrashExit,
            QString::fromUtf8(processus.readAllStandardOutput() + processus.readAllStandardError())};
}

// Runs "sh setup.exe" from the package folder.
inline Execution installer(const QString& paquet, const QProcessEnvironment& env)
{
    return lancer(paquet, QStringLiteral("setup.exe"), env);
}

class Installation : public LivraisonFixture {
protected:
    static QString fichierEleve(const QString& code) { return code + QStringLiteral(".jpg"); }

    // A package of three students with their pictures; their order codes in codes_.
    QString livrerPaquet()
    {
        codes_.clear();
        for (const char* nom : {"DUPONT", "MARTIN", "LEROY"}) {
            codes_.append(eleve(QStringLiteral("6A"), QString::fromLatin1(nom), QStringLiteral("Jean"),
                                QStringLiteral("123456789AB")));
            photo(dossiers_etab::de(etat::NomEtabEnCours).donnees, fichierEleve(codes_.back()));
        }
        return livrer();
    }

    // The next package of the same students: another first name for each, and
    // the third without a picture.
    QString livrerAnneeSuivante()
    {
        base::db().exec(QStringLiteral("UPDATE Eleves SET Prenom = 'Paul'"));
        QFile::remove(paths::join(dossiers_etab::de(etat::NomEtabEnCours).donnees, {fichierEleve(codes_[2])}));
        return livrer();
    }

    QString livrer()
    {
        EXPECT_TRUE(paquet_ecole::livrer(etat::CodeEtabEnCours, [](int) {}).reussie);
        return bureau(QStringLiteral("A Graver/") + etat::NomEtabEnCours);
    }

    // A copy of a package under the drive root: the next delivery replaces
    // the one on the desktop.
    QString garder(const QString& paquet, const QString& nom) const
    {
        const QString copie = sandbox_.path(nom);
        files::removeTree(copie);
        EXPECT_EQ(QProcess::execute(QStringLiteral("/bin/cp"), {QStringLiteral("-R"), paquet, copie}), 0);
        return copie;
    }

    // The drive root of the sandbox, and a PATH with the tools folder first.
    QProcessEnvironment environnement(const QString& chemin = QStringLiteral("/usr/bin:/bin")) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("SCHOOLPHOTO_ROOT"), sandbox_.root());
        env.insert(QStringLiteral("PATH"), chemin);
        env.remove(QStringLiteral("CDPATH"));
        return env;
    }
    QProcessEnvironment avecOutils() const { return environnement(outils() + QStringLiteral(":/usr/bin:/bin")); }

    // A stand-in for a command, found on the PATH before the system's.
    QString outil(const QString& nom, const QByteArray& script) const
    {
        const QString fichier = Sandbox::writeFile(paths::join(outils(), {nom}), "#!/bin/sh\n" + script);
        QFile::setPermissions(fichier, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return fichier;
    }

    QString outils() const { return paths::join(sandbox_.root(), {QStringLiteral("outils")}); }
    QString ecole() const { return paths::join(sandbox_.root(), {QStringLiteral("vizmora2020")}); }
    QString baseEcole() const { return paths::join(ecole(), {QStringLiteral("classevizmora.idx")}); }
    QString imagesEcole() const { return paths::join(ecole(), {QStringLiteral("images")}); }
    static QString baseDe(const QString& paquet) { return paths::join(paquet, {QStringLiteral("classevizmora.idx")}); }
    QStringList gardees() const
    {
        return QDir(ecole()).entryList({QStringLiteral("classevizmora_*.idx")}, QDir::Files, QDir::Name);
    }

    // Every entry under a folder, links and folders included, with what it
    // is: its bytes, "dossier", or where it points. Links are not followed.
    static QMap<QString, QByteArray> etat(const QString& dossier)
    {
        QMap<QString, QByteArray> entrees;
        QDirIterator it(dossier, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo entree(it.next());
            const QString nom = QDir(dossier).relativeFilePath(entree.filePath());
            if (entree.isSymLink())
                entrees.insert(nom, "lien vers " + QFile::encodeName(entree.symLinkTarget()));
            else if (entree.isDir())
                entrees.insert(nom, "dossier");
            else
                entrees.insert(nom, lire(entree.filePath()));
        }
        return entrees;
    }

    QStringList codes_;
};
