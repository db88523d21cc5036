-- A portrait waiting under its temporary name beside its place in images/,
-- recorded in the change that makes it the student's (a new student, a new
-- portrait on the identity card) and dropped once it stands in place: a row
-- left says that a power cut came between the commit and the rename, and the
-- next start puts the temporary in place (once its size and digest prove it
-- whole) or names the student. The school database makes this table the first
-- time it is needed; the template and the packages never hold it.
CREATE TABLE IF NOT EXISTS PhotosEnAttente (
    CdeAttente INTEGER PRIMARY KEY AUTOINCREMENT,
    CdeEleves TEXT, Temporaire TEXT, Photo TEXT, Taille TEXT, Empreinte TEXT
);
