#pragma once

#include <QTextEdit>

class Files;

// The rich-text box: a read-only text view that loads RTF files by the
// program's paths (drive letters, any letter case) through our RTF reader.
class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // Replaces the content with the RTF file at path. False, with a reason,
    // when the file is missing, unreadable, too large or not RTF; the box then
    // keeps what it showed.
    bool LoadFile(const Files& files, const QString& path, QString* error = nullptr);
    // The plain text and its length in characters.
    QString Text() const;
    int TextLength() const;

signals:
    void DblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
