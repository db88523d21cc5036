-- The school database. Keys are never given again once deleted: pictures
-- and order lines are named by keys. Every other value is text.
CREATE TABLE IF NOT EXISTS Etablissement (
    CdeEtablissement INTEGER PRIMARY KEY AUTOINCREMENT,
    Nom TEXT, Adresse TEXT, Adresse1 TEXT, Adresse2 TEXT, CodePostal TEXT,
    Ville TEXT, Telephone TEXT, Fax TEXT, Portable TEXT, Mail TEXT
);
CREATE TABLE IF NOT EXISTS Eleves (
    CdeEleves INTEGER PRIMARY KEY AUTOINCREMENT,
    CodeEtablissement TEXT, Classe TEXT, Nom TEXT, Prenom TEXT, Naissance TEXT,
    Regime TEXT, INE TEXT, NumInterne TEXT, NomPhoto TEXT
);
CREATE TABLE IF NOT EXISTS Photographe (
    NomP TEXT, Adresse1P TEXT, Adresse2P TEXT, Adresse3P TEXT, CPP TEXT,
    VilleP TEXT, TelP TEXT, FaxP TEXT, Mail TEXT, Web TEXT
);
-- One row per student per group: a copy of the student's fields at the time
-- the student joined, N_Eleves being the student's photo code.
CREATE TABLE IF NOT EXISTS Goupes (
    CdeGroupes INTEGER PRIMARY KEY AUTOINCREMENT,
    NomGroupe TEXT, N_Eleves TEXT, Classe TEXT, Nom TEXT, Prenom TEXT, Naissance TEXT,
    Regime TEXT, INE TEXT, NumInterne TEXT
);
-- One row per order line. The line type is held in ArticlesPrixPro and the
-- reorder mark in ArticlesPrixPub.
CREATE TABLE IF NOT EXISTS Ventes (
    CdeVente INTEGER PRIMARY KEY AUTOINCREMENT,
    DateCommande TEXT, Num_Eleves TEXT, Classe TEXT, Nom TEXT, Prenom TEXT,
    NomPhoto TEXT, CdePochette TEXT, NomPochette TEXT, PochettePrixPro TEXT,
    PochettePrixPub TEXT, PochettePrixRecPro TEXT, PochettePrixRecPub TEXT,
    CdeArticles TEXT, NomArticles TEXT, ArticlesPrixPro TEXT, ArticlesPrixPub TEXT,
    ArticlesPrixRecPro TEXT, ArticlesPrixRecPub TEXT, PIncompNbArt TEXT,
    PIncLibArt TEXT, PIncPPho TEXT, PincPPub TEXT, Quantite TEXT
);
-- The school's price list: one row per article, each also carrying the
-- complete pack.
CREATE TABLE IF NOT EXISTS Tarifs (
    CdeTarifs INTEGER PRIMARY KEY AUTOINCREMENT,
    CdePochette TEXT, NomPochette TEXT, PochettePrixPro TEXT, PochettePrixPub TEXT,
    PochettePrixRecPro TEXT, PochettePrixRecPub TEXT, CdeArticles TEXT,
    NomArticles TEXT, ArticlesPrixPro TEXT, ArticlesPrixPub TEXT,
    ArticlesPrixRecPro TEXT, ArticlesPrixRecPub TEXT
);
CREATE TABLE IF NOT EXISTS TarifPochIncom (
    NbArticle TEXT, LibelleArticke TEXT, PrixPho TEXT, PrixPublic TEXT
);
