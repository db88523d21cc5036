-- The number each student carries in the names of his picture files when a
-- student before him in the establishment bears his names ("DUPONT Jean_2.jpg"),
-- in the photographer's database only: created when missing each time it is
-- opened, never in a template, an exchange file or a school package. A
-- student's number is written the first time it is asked for, before any file
-- is named by it, and never changes. The row outlives the student: a deleted
-- student's files may stay, so his number is never given to another.
CREATE TABLE IF NOT EXISTS NumerosPhotos (
    CdeEleves INTEGER PRIMARY KEY,
    CodeEtablissement TEXT, Nom TEXT, Prenom TEXT, Numero TEXT
);
CREATE INDEX IF NOT EXISTS NumerosPhotosParEtablissement ON NumerosPhotos (CodeEtablissement);
