#pragma once
// Writes the exported card: one side, or both sides as two files ("_Front", "_Back")
// or joined into one picture (side by side or one above the other). The file type
// follows the extension: PDF (the card's size as its page, drawn as vectors), or a
// PNG, JPEG, BMP or TIFF picture at Export_Picture_DPI with that resolution stored.
// Every file is written whole; a failed export leaves no file of its own behind.
#include "FileWrite.h"
#include "SKTGraphic.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

#include "Shared_Dialogs.h"
#include "RenderResources.h"
#include "RenderedSide.h"

class Card_Property;
class File_Write_Sweep;
class QWidget;

constexpr double Export_Picture_DPI = 600.0;

// One card side as the export draws it.
struct Export_Side {
    std::vector<GraphicPtr> graphics;
    const Card_Property *cardProperty = nullptr;
    QRectF frame;  // the card rectangle in points
    RenderResources resources;
};

enum class Export_Layout { Front, Back, Both, Combined_Side_By_Side, Combined_Above };

// "Card_3.png" -> "Card_3_Front.png" / "Card_3_Back.png" in the same folder.
QString Create_Front_Card_Path(const QString &path);
QString Create_Back_Card_Path(const QString &path);

// The files an export of `layout` to `path` writes, in writing order.
QStringList Export_Target_Paths(const QString &path, Export_Layout layout);

// Why a card of `card` points can't be exported as a picture of the type `extension`
// names at `dpi`: one side, or both joined (side by side or one above the other), would
// be over the bound of PictureLimit.h. Empty when the picture can be made, and for PDF.
QString Export_Picture_Refusal(QSizeF card, const QString &extension, bool joined, bool sideBySide,
                               double dpi = Export_Picture_DPI);

// A side drawn at `dpi`, its resolution stored; null on failure.
QImage Export_Side_Image(const Export_Side &side, double dpi = Export_Picture_DPI);
// Front and back joined: side by side (front left) or one above the other (front on top).
// Null, with nothing allocated, when the joined picture would be over the bound.
QImage Combine_Side_Images(const QImage &front, const QImage &back, bool sideBySide);

// The bytes of one file: `sides` holds one side, or front and back to be joined.
// Empty on failure.
QByteArray Export_File_Data(const std::vector<const Export_Side *> &sides, bool sideBySide,
                            const QString &extension);
// Writes a picture to the path in the type of its extension ("pdf": a page of the
// picture's size in points). False on failure. `links`: Write_Through only for a name the
// user chose in a save panel; a name the program picks (a numbered, derived or fixed
// name) replaces a link there. A run's `sweep` clears each folder of a killed write's
// leftovers once for the run (FileWrite.h). On failure `cause` gets why, as the system
// gave it ("No space left on device", "Permission denied", ...).
bool Save_gen_image(const QImage &image, const QString &path, File_Link links, File_Write_Sweep *sweep = nullptr,
                    QString *cause = nullptr);

// Writes the export of `layout` to `path`, every file or none: on failure the files
// are as they were before the call and `error` says why (a picture over the bound:
// Export_Picture_Refusal, and nothing is drawn). `written` gets the files written.
// Each side is mirrored as `mirror` says. A joined picture is written to `path` itself, a
// link there getting `links` (through it only for the very name typed in a save panel);
// the side files, named after it, replace a link under their names.
bool Write_Export_Files(const QString &path, Export_Layout layout, const Export_Side &front,
                        const Export_Side &back, QStringList *written = nullptr, QString *error = nullptr,
                        Side_Mirror mirror = Side_Mirror::None, File_Link joinedLinks = File_Link::Write_Through);

// ---- Names and the keep/replace question of a run ----

// A path that no file has yet: the path itself when free, else "stem (k).ext" in the
// same folder for k = 1, 2, ...; a stem that already ends in " (n)" with a number n
// counts on from n + 1 ("Card_1 (1).png" -> "Card_1 (2).png", "Photo (abc).png" ->
// "Photo (abc) (1).png"). The extension comes back in lower case.
QString Check_Exist_Path_and_Create_New(const QString &path);

// The two wordings of the question, after the file's name.
enum class Keep_Replace_Wording { Keep_Or_Replace, Replace_Processed };
// The question about a file that exists, as the keep/replace box shows it.
Keep_Replace_Request Keep_Replace_Question(const QString &path, Keep_Replace_Wording wording, bool showApplyAll);

// What to do with a path that may exist, after the run's answers: the path itself
// (free, or replaced), a free numbered name (kept), or nothing (cancelled). Asks the
// keep/replace box unless an earlier answer of the run covers every file; Cancel sets
// the run's stop flag.
std::optional<QString> Keep_Or_Replace_Target(const QString &path, Keep_Replace_Wording wording, bool showApplyAll,
                                              Output_Run_State &state);
// The same as a path: empty to write nothing.
QString Check_And_Show_Keep_Replace_File_Msg(const QString &path, bool show_apply_all, Output_Run_State &state);

// ---- Writing rendered sides ----

enum class Export_Write { Written, Skipped, Failed };

// The bytes of a side in the type its extension names: "pdf" a page of the card's
// size, else a picture at 600 dpi (`increase_dpi`) or one pixel per point. Empty on
// failure (logged).
QByteArray Rendered_Side_File_Data(const RenderedSide &side, const QString &extension, bool increase_dpi,
                                   Side_Mirror mirror = Side_Mirror::None);
// Both sides in one file: side by side (front left) or one above the other (front on top).
QByteArray Combined_Side_File_Data(const RenderedSide &front, const RenderedSide &back, const QString &extension,
                                   bool sideBySide, Side_Mirror mirror = Side_Mirror::None);

// The file a run writes a side to, after its keep/replace answers as Export_File_Function
// gives them (a kept back file becomes the run's back file); nothing when the side is
// left out (cancelled, or the run stopped and `honour_stop`).
std::optional<QString> Export_Run_Target(const QString &path, bool skip_keep_replace_msg, bool honour_stop,
                                         Output_Run_State &state);
// Writes the files of one card whole, all or none (a file that was there stays as it
// was when the card fails); empty bytes fail. Written: the last file becomes the run's
// exported file. Failed: counted in the run's failed_files, the system's reason in its
// failed_error. A link under a file's name is replaced, unless the name was chosen in a
// save panel (`links` Write_Through).
Export_Write Write_Card_Files(Output_Run_State &state, const std::vector<std::pair<QString, QByteArray>> &files,
                              File_Link links = File_Link::Replace);

// Writes one side to `path` for a run. Nothing once the run is stopped; unless
// `skip_keep_replace_msg`, a file there is kept, replaced or skipped as the run's
// keep/replace answer says (a kept back file becomes the run's back file). A written
// file becomes the run's exported file; a file that cannot be written is counted in
// the run's failed_files. With `show_msg` the open-exported-file box follows.
// `honour_stop` false writes even when the run was stopped meanwhile (the rest of a
// card whose first file was written). `ready`: the file's bytes, made beforehand (on
// another thread) for the path's extension. A path written without the keep/replace
// question was chosen in a save panel: a link there gets the panel's `chosenLinks`.
Export_Write Export_File_Function(const QString &path, const RenderedSide &side, bool show_msg,
                                  bool skip_keep_replace_msg, bool increase_dpi, Output_Run_State &state,
                                  Side_Mirror mirror = Side_Mirror::None, QWidget *boxParent = nullptr,
                                  bool honour_stop = true, const QByteArray *ready = nullptr,
                                  File_Link chosenLinks = File_Link::Write_Through);
// Writes front and back joined into one picture at `path` (no keep/replace question);
// with `show_msg` the run's exported file becomes the path and the box follows.
Export_Write Export_Combined_Image(const RenderedSide &front, const RenderedSide &back, const QString &path,
                                   bool show_msg, bool sideBySide, Output_Run_State &state,
                                   Side_Mirror mirror = Side_Mirror::None, QWidget *boxParent = nullptr,
                                   const QByteArray *ready = nullptr);
// The final question of a run (only when it wrote a file); any thread.
bool Open_Export_File_Box(Output_Run_State &state, QWidget *boxParent = nullptr);
