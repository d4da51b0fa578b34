#pragma once
// The pictures the program itself shows where a photo is missing: the empty image
// control ("no.png"), the templates' grey figure ("pic_ic.png"), a picture that did not
// load ("pic_err.png") and the camera window without a camera ("no_camera.jpg"). They
// stand in for a photo and are never anyone's photo.
#include <QString>

// Whether `path` (trimmed) names a stand-in where the program keeps it: directly in
// `resourceFolder`, in an application bundle's resources ("<name>.app/Contents/
// Resources/", as the templates store them) or in an installed copy's resources
// ("<prefix>/share/dozo-idcard/resources/"). Reads no file: a picture of the same name
// in any other folder is not judged here.
bool Is_Stand_In_Picture_Path(const QString &path, const QString &resourceFolder);

// Is_Stand_In_Picture_Path, or a file with a stand-in's name holding byte for byte the
// stand-in of `resourceFolder` (the resources of a copy of the program that ran from
// elsewhere), or a stand-in's name directly in a folder named "resources" where no file
// is any more (a build folder's, moved or removed since). A user's own picture that
// merely has such a name is no stand-in.
bool Is_Stand_In_Picture(const QString &path, const QString &resourceFolder);
