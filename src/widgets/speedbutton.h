#pragma once

#include <QToolButton>

// A flat tool-bar button with a drawn glyph; the hint goes to the tooltip and the status line.
class SpeedButton : public QToolButton
{
    Q_OBJECT

public:
    enum class Glyph {
        ShowAll,
        NewFolder,
        NewFile,
        Delete,
        LargeIcons,
        SmallIcons,
        List,
        Details,
        Print,
        SortNot,
        SortLeft,
        SortRight,
        TypeColumn,
        InsertRecord,
        Find,
        SoundTools,
        OpenWave,
        DeleteSound,
        Settings,
        Speaker,
        SpeakWord, // a letter with sound waves: the word spoken by the synthesiser
        // The buttons of the recorder.
        MediaPlay,
        MediaPause,
        MediaStop,
        MediaNext,
        MediaPrev,
        MediaStep,
        MediaBack,
        MediaRecord,
        MediaEject
    };

    SpeedButton(const QString &name, Glyph glyph, QWidget *parent);

    void setHint(const QString &hint);
    bool down() const { return isChecked(); }
    void setDown(bool on) { setChecked(on); }

    static QIcon glyphIcon(Glyph glyph);

protected:
    // The button shows a glyph only: its hint, whoever sets it, is what a screen reader says;
    // without a hint the glyph's English name is.
    bool event(QEvent *event) override;

private:
    Glyph m_glyph;
};
