// The main window's Open, Save and Print commands.
#pragma once

#include <QString>
#include <functional>

class EditPane;
class Pane;
class PanePrint;
class QWidget;
class ViewPane;

class FileCommands
{
public:
    FileCommands(QWidget* parent, EditPane& input, ViewPane& output, PanePrint& print);

    // Appends a chosen text file to the input pane as one paragraph of lines; a picture goes to
    // the image opener.
    void open();
    // Appends the named text file as open() does; raises "Unable to read <file>" when it cannot
    // be read. A picture goes to the image opener. A file that is no UTF-8 is read as
    // Windows-1252, which the status bar says.
    void openFile(const QString& fileName);
    // What Open does with a picture (a name ending in .png, .jpg, .webp, ...).
    void setImageOpener(std::function<void(const QString&)> opener);
    static bool isImageFileName(const QString& fileName);
    // Saves the pane of the tag (0 input, 1 output; any other does nothing) as UTF-16 text when
    // the chosen name ends in .txt (any letter case), else as a UTF-8 HTML page titled with the
    // name; the input pane of a file read as Windows-1252 goes back in Windows-1252 unless the
    // user picks UTF-8. A blank pane asks for no name. A failed write is reported as "Unable to
    // write to %s".
    void save(int tag);
    // Prints the output pane on the default printer; raises "There is no default printer
    // currently selected" without one.
    void print();

    // The title an HTML page saved under fileName gets: its name without folder and extension.
    static QString titleOf(const QString& fileName);
    static bool isTextFileName(const QString& fileName);

private:
    bool load(const QString& fileName);
    bool saveText(const Pane& pane, int tag, const QString& fileName, bool utf8) const;
    void showNotice(const QString& notice) const;

    QWidget* m_parent;
    EditPane& m_input;
    ViewPane& m_output;
    PanePrint& m_print;
    std::function<void(const QString&)> m_openImage;
    bool m_lastLoadCancelled = false;
    // The input pane's last file was read as Windows-1252.
    bool m_inputIsWindows1252 = false;
};
