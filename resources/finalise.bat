#!/bin/sh
# Ends the hand-over of a package: starts the school's program when it is
# installed, else says how to start it.
if command -v vizmora >/dev/null 2>&1; then
    exec vizmora
fi
echo "Installation terminée. Le programme Vizmora n'a pas été trouvé : démarrez-le depuis son dossier"
echo "(par exemple build/bin/vizmora) avec la même variable SCHOOLPHOTO_ROOT que pour cette installation."
