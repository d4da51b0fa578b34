#pragma once
// Folder listings, path checks, picture previews, date and time strings and the
// camera folder file: small file jobs shared by the whole application.
#include "Picture.h"

#include <QDateTime>
#include <QString>
#include <QUrl>
#include <QStringList>

#include <optional>

// Listings. A path that is not an existing folder gives an empty list; the order is
// the file system's.
QStringList Get_Folder_Array_At_Path(const QString &folder);  // folder names directly inside
// File names directly inside (no folders); without their extension when del_ext is set.
QStringList Get_Files_Array_At_Path(const QString &folder, char del_ext);
// Paths relative to the folder of every folder below it, at any depth.
QStringList Get_Folders_And_Sub_Folder_Array_At_Path(const QString &folder);
// Paths relative to the folder of everything below it, at any depth, without extension.
QStringList Get_Files_And_Folder_Array_At_Path(const QString &folder);
// Deletes every file directly inside the folder whose extension is not exactly
// design_file_EXT ("zcd"); folders stay.
void Filter_Non_Log_Files_At_Path(const QString &folder);

// 0 when the path is not blank and names an existing file; otherwise shows
// "Please select valid file path." and returns 1.
char Check_And_Validate_File_Path(const QString &path);
// A path into an application bundle's resources ("<name>.app/Contents/Resources/...",
// as designs made elsewhere store them) re-pointed into the resource folder (ending
// in "/"); any other path trimmed. The one-argument form uses Resource_Path.
QString Check_Path_For_App_Resources(const QString &path, const QString &resourceFolder);
QString Check_Path_For_App_Resources(const QString &path);
// A file URL's local path ("file:///x/a%20b.png" gives "/x/a b.png"); "" for any other
// URL. The clipboard's file names go through it.
QString Convert_Path_From_URL(const QUrl &url);
QString Convert_Path_From_URL(const QString &url);
// Size in bytes; 0 when the file does not exist.
quint64 Get_File_Size_At_Path(const QString &path);
// Whether a name is taken: by a file, a folder, or a link (one that leads nowhere too).
bool Path_Is_Taken(const QString &path);
// Why a file could not be written under `path`, for the message that says so, when it
// can be told; empty otherwise. Told: a file under the name is another user's, in a
// folder with the sticky bit that is not the running user's either (a shared folder such
// as /tmp), where only its owner may replace it; a link under the name is another user's
// that the system does not follow for this user (in a folder both sticky and writable by
// others, not the link owner's).
QString Write_Refusal_Reason(const QString &path);
// What a save of `path` that failed, or is refused before it is tried, says when
// Write_Refusal_Reason tells why: "Unable to save the file "<path>".\n\n<reason>";
// `otherwise` when it cannot be told.
QString Write_Refusal_Text(const QString &path, const QString &otherwise = {});
// A failed write's message followed by the system's reason, as a sentence of its own:
// "Error in file accessing. No space left on device."; the message alone when there is
// no reason to tell (an empty reason, or the error number 0).
QString Failed_Write_Text(const QString &message, const QString &reason);
QString Failed_Write_Text(const QString &message, int error);
// The bytes this user may still write on the file system holding the path (a file or a
// folder); nullopt when the file system cannot be read.
std::optional<qint64> Get_Free_Bytes_At_Path(const QString &path);

// A preview of the picture file that fits within 500 x 500 (never enlarged, aspect
// kept; the thumbnail maker below); null when the file does not exist or is not a
// picture. Picture files serve as their own icons, so asIcon gives the same preview.
Picture Get_Image_For_Path(const QString &path, char asIcon);
constexpr int kPreviewImageSide = 500;

// The thumbnail maker of every picture browser and preview: the file's picture with its
// EXIF orientation applied, its longer side at most maxSide pixels (never enlarged);
// null when the file cannot be read as a picture, its data is not whole
// (Read_Whole_Picture) or maxSide is below 1.
QImage Thumbnail_Image(const QString &path, int maxSide);
// A browser's thumbnail: Thumbnail_Image at the width asked (truncated; the height is
// not used), or, for a file without a picture, a blank-page placeholder of the size
// asked.
Picture Thimbnail_Using_CG_Image(const QString &path, QSizeF size);
// No picture is refused for its size: always 0.
char Image_Is_Over_Size(const QString &path, char show_msg = 0);

// Date and time strings from ICU patterns ("M-d-yyyy", "h:mm:ss a", "EEEE") in
// English. Qt reads h as 12-hour only beside AP, so an ICU pattern with h and no a
// shows 24-hour time.
QString Convert_ICU_Date_Format(const QString &icuPattern);
QString Format_Date_Time(const QDateTime &when, const QString &icuPattern);
QString Get_date_Value(const QString &format);  // now, formatted
QString Get_time_Value(const QString &format);  // now, formatted (the same operation)

// The camera folder file: Created_Resource_Path + "idcardcampics.txt"; its whole
// content, untrimmed, is the camera folder.
QString Camera_Path_File();
// Sets Camera_Folder_Path from the file when it names an existing folder, otherwise to
// Created_Resource_Path + "Images_save_by_user"; returns it.
QString Read_Camera_Folder();
// Writes Camera_Folder_Path into the file, whole and owner-only; false when it could
// not be written.
bool Create_Camera_Path_File();

// A template path with "(h)" and "(v)" swapped in its file name (any case, the
// letter's case kept) for a change between the presets "Horizontal" and "Vertical";
// the folder stays as it is. Other preset pairs give the path unchanged.
QString Swap_Template_Orientation_Path(const QString &path, const QString &fromPreset, const QString &toPreset);
