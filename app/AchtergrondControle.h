#pragma once

#include "store/ReserveKopieen.h"

#include <atomic>
#include <memory>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QMainWindow;
class QThread;

// The part of the start-up guard that reads whole files: the check of every page and the
// daily copies, on a thread of its own once the window shows, so that a large file does not
// delay the start. Progress is said in the frame's status bar. A file found damaged is said
// in one box, gets no daily copy, and takes no further write from the program.
class CAchtergrondControle : public QObject {
    Q_OBJECT
public:
    // bestanden: the local paths of the files the start check passed, each with the name
    // the record store opens it by.
    struct Bestand {
        QString strPad;
        QString strNaam;
    };
    // meldingen: what the start check had to say, shown again when the work is done.
    CAchtergrondControle(std::vector<Bestand> bestanden, CReserveKopieen kopieen,
                         QStringList meldingen, QMainWindow* frame);
    // Waits for a copy in progress: a copy broken off would only leave a hidden part behind.
    ~CAchtergrondControle() override;

    void Start();
    bool IsKlaar() const { return m_bKlaar; }
    // The files found damaged, as local paths.
    QStringList Beschadigd() const { return m_beschadigd; }

signals:
    void Klaar();

private:
    void Voeruit();
    void Meld(const QString& strTekst);
    void MeldBeschadigd(const Bestand& bestand, const QString& strDetail);
    void MeldEinde(const QStringList& fouten);

    std::vector<Bestand> m_bestanden;
    CReserveKopieen m_kopieen;
    QStringList m_meldingen;
    QPointer<QMainWindow> m_pFrame;
    std::unique_ptr<QThread> m_pThread;
    std::atomic<bool> m_bKlaar{false};
    QStringList m_beschadigd;
};
