#include "photographer/shoot/hot_folder.h"

#include "common/dialogs.h"
#include "common/helpers.h"
#include "common/paths.h"
#include "common/ui/layout.h"
#include "photographer/shoot/camera_files.h"
#include "photographer/data/etat.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace dossier_hot {

namespace {

QString cheminReel(const QString& folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool dansOuEgal(const QString& folder, const QString& base)
{
    if (base.isEmpty())
        return false;
    const QString dossier = cheminReel(folder), racine = cheminReel(base);
    return dossier == racine || dossier.startsWith(racine.endsWith(u'/') ? racine : racine + u'/');
}

} // namespace

QStringList fichiers(const QString& folder)
{
    QStringList noms;
    if (folder.isEmpty())
        return noms;
    // Listed by their raw names: a name that is not valid UTF-8 counts too.
    for (const camera_files::Entry& fichier : camera_files::list(folder)) {
        if (!fichier.name().startsWith(u'.'))
            noms << fichier.name();
    }
    return noms;
}

QString refus(const QString& folder, const QStringList& dossiersProteges)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isAbsolute() || !info.isDir())
        return QStringLiteral("Le dossier choisi n'existe pas, veuillez choisir un autre dossier.");
    for (const QString& protege : dossiersProteges) {
        if (dansOuEgal(folder, protege))
            return QStringLiteral("Le dossier choisi contient les photos ou les données du programme, "
                                  "veuillez choisir un autre dossier.");
    }
    if (!info.isWritable())
        return QStringLiteral("Le dossier choisi n'est pas accessible en écriture, veuillez choisir un autre dossier.");
    if (!fichiers(folder).isEmpty())
        return QStringLiteral("Le dossier choisi n'est pas vide, veuillez choisir un autre dossier.");
    return {};
}

QString valeur(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace dossier_hot

HotFolder::HotFolder() : Form(QStringLiteral("HotFolder"))
{
    setWindowTitle(QStringLiteral("Dossier de réception des photos..."));
    auto* centre = new QWidget(this);
    setCentralWidget(centre);

    Text1_ = new QLineEdit(centre);
    Text1_->setObjectName(QStringLiteral("Text1"));
    Bt_Parcourir_ = new QPushButton(QStringLiteral("Parcourir..."), centre);
    Bt_Parcourir_->setObjectName(QStringLiteral("Bt_Parcourir"));
    dossiers_ = new QFileSystemModel(this);
    dossiers_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    dossiers_->setRootPath(QDir::rootPath());
    Dir1_ = new QTreeView(centre);
    Dir1_->setObjectName(QStringLiteral("Dir1"));
    Dir1_->setModel(dossiers_);
    for (int column = 1; column < dossiers_->columnCount(); ++column)
        Dir1_->hideColumn(column);
    Dir1_->setHeaderHidden(true);
    Dir1_->hide();
    File1_ = new QListWidget(centre);
    File1_->setObjectName(QStringLiteral("File1"));
    bt_ok_ = new QPushButton(QStringLiteral("Ok"), centre);
    bt_ok_->setObjectName(QStringLiteral("bt_ok"));
    bt_ok_->hide();
    Bt_Annuler_ = new QPushButton(QStringLiteral("Annuler"), centre);
    Bt_Annuler_->setObjectName(QStringLiteral("Bt_Annuler"));

    auto* listes = new QHBoxLayout;
    listes->addWidget(Dir1_, 1);
    listes->addWidget(File1_, 1);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(Bt_Parcourir_);
    boutons->addStretch();
    boutons->addWidget(bt_ok_);
    boutons->addWidget(Bt_Annuler_);
    auto* colonne = new QVBoxLayout(centre);
    colonne->addWidget(Text1_);
    colonne->addLayout(listes, 1);
    colonne->addLayout(boutons);
    resize(560, 360);

    connect(Bt_Parcourir_, &QPushButton::clicked, this, &HotFolder::Bt_Parcourir_Click);
    // The folders are listed in the background: the folder opened by "Parcourir..." is kept in
    // view while its neighbours arrive, until the photographer moves.
    connect(dossiers_, &QFileSystemModel::directoryLoaded, this, [this] {
        if (suivreCourant_)
            Dir1_->scrollTo(Dir1_->currentIndex(), QAbstractItemView::PositionAtCenter);
    });
    const auto bouge = [this] { suivreCourant_ = false; };
    connect(Dir1_, &QTreeView::clicked, this, bouge);
    connect(Dir1_, &QTreeView::expanded, this, bouge);
    connect(Dir1_, &QTreeView::collapsed, this, bouge);
    // Every move in the folder list, by mouse or by keyboard.
    connect(Dir1_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) { Dir1_Change(dossiers_->filePath(index)); });
    connect(bt_ok_, &QPushButton::clicked, this, &HotFolder::bt_ok_Click);
    connect(Bt_Annuler_, &QPushButton::clicked, this, &HotFolder::Bt_Annuler_Click);
}

void HotFolder::onLoad()
{
    layout::centreOnScreen(*this);
    Text1_->setText(etat::DossierHot);
    montrerFichiers(etat::DossierHot);
}

void HotFolder::Bt_Parcourir_Click()
{
    Dir1_->show();
    Bt_Parcourir_->hide();
    bt_ok_->show();
    QString dossier = etat::DossierHot;
    if (dossier.isEmpty()) {
        dossier = paths::onDrive({QStringLiteral("hotfolder")});
        Text1_->setText(dossier);
    }
    const QModelIndex index = dossiers_->index(dossier);
    Dir1_->setCurrentIndex(index);
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        Dir1_->expand(parent);
    Dir1_->scrollTo(index, QAbstractItemView::PositionAtCenter);
    suivreCourant_ = true; // after the expansions, which would clear it
    montrerFichiers(dossier);
}

void HotFolder::Dir1_Change(const QString& folder)
{
    Text1_->setText(folder);
    montrerFichiers(folder);
}

void HotFolder::montrerFichiers(const QString& folder)
{
    File1_->clear();
    File1_->addItems(dossier_hot::fichiers(folder));
}

void HotFolder::bt_ok_Click()
{
    const QString dossier = Text1_->text().trimmed();
    montrerFichiers(dossier);
    const QString refus = dossier_hot::refus(
        dossier, {etat::CheminDonnees, paths::onDrive({QStringLiteral("labohd")})});
    if (!refus.isEmpty()) {
        dialogs::message(refus, dialogs::Icon::Critical);
        return;
    }
    const QString choisi = dossier_hot::valeur(dossier);
    if (!EcrireRegistre(etat::kCleRegistre, QStringLiteral("HotFolder"), choisi))
        dialogs::message(RegistreNonEcrit(etat::kCleRegistre,
                                          QStringLiteral("le dossier surveillé %1 ne servira que jusqu'à la fermeture "
                                                         "de Zelvantis.").arg(QDir::toNativeSeparators(choisi))),
                         dialogs::Icon::Exclamation);
    etat::DossierHot = choisi;
    unload();
}

void HotFolder::Bt_Annuler_Click()
{
    unload();
}
