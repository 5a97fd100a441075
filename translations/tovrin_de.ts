<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AppState</name>
    <message>
        <source>Moving files</source>
        <translation>Dateien werden verschoben</translation>
    </message>
    <message>
        <source>Nothing was moved: the log needed to undo the moves can&apos;t be written. Check that the disk has room and isn&apos;t read-only.</source>
        <translation>Nichts wurde verschoben: Das Protokoll zum Rückgängigmachen lässt sich nicht schreiben. Prüfen Sie, ob der Datenträger Platz hat und nicht schreibgeschützt ist.</translation>
    </message>
    <message>
        <source>Putting files back</source>
        <translation>Dateien werden zurückgelegt</translation>
    </message>
    <message numerus="yes">
        <source>Restored %Ln file(s) to where they were.</source>
        <translation>
            <numerusform>%Ln Datei wurde an ihren Platz zurückgelegt.</numerusform>
            <numerusform>%Ln Dateien wurden an ihren Platz zurückgelegt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing to undo.</source>
        <translation>Nichts rückgängig zu machen.</translation>
    </message>
    <message numerus="yes">
        <source>%n year(s) ago</source>
        <translation>
            <numerusform>vor %n Jahr</numerusform>
            <numerusform>vor %n Jahren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n year(s)</source>
        <translation>
            <numerusform>in %n Jahr</numerusform>
            <numerusform>in %n Jahren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n month(s) ago</source>
        <translation>
            <numerusform>vor %n Monat</numerusform>
            <numerusform>vor %n Monaten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n month(s)</source>
        <translation>
            <numerusform>in %n Monat</numerusform>
            <numerusform>in %n Monaten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n week(s) ago</source>
        <translation>
            <numerusform>vor %n Woche</numerusform>
            <numerusform>vor %n Wochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n week(s)</source>
        <translation>
            <numerusform>in %n Woche</numerusform>
            <numerusform>in %n Wochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>vor %n Tag</numerusform>
            <numerusform>vor %n Tagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n day(s)</source>
        <translation>
            <numerusform>in %n Tag</numerusform>
            <numerusform>in %n Tagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>vor %n Stunde</numerusform>
            <numerusform>vor %n Stunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n hour(s)</source>
        <translation>
            <numerusform>in %n Stunde</numerusform>
            <numerusform>in %n Stunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>vor %n Minute</numerusform>
            <numerusform>vor %n Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n minute(s)</source>
        <translation>
            <numerusform>in %n Minute</numerusform>
            <numerusform>in %n Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n second(s) ago</source>
        <translation>
            <numerusform>vor %n Sekunde</numerusform>
            <numerusform>vor %n Sekunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>in %n second(s)</source>
        <translation>
            <numerusform>in %n Sekunde</numerusform>
            <numerusform>in %n Sekunden</numerusform>
        </translation>
    </message>
    <message>
        <source>Ready for a fresh start</source>
        <translation>Bereit für einen Neuanfang</translation>
    </message>
    <message>
        <source>Last refresh %1</source>
        <translation>Zuletzt aufgeräumt %1</translation>
    </message>
    <message>
        <source>Estimating time left…</source>
        <translation>Restzeit wird geschätzt …</translation>
    </message>
    <message>
        <source>Less than a minute left</source>
        <translation>Noch weniger als eine Minute</translation>
    </message>
    <message>
        <source>About %1 min left</source>
        <translation>Noch etwa %1 Min.</translation>
    </message>
    <message>
        <source>Putting everything in its place</source>
        <translation>Alles kommt an seinen Platz</translation>
    </message>
    <message>
        <source>Learning what you work on…</source>
        <translation>Tovrin lernt, woran Sie arbeiten …</translation>
    </message>
    <message>
        <source>Getting started…</source>
        <translation>Wird gestartet …</translation>
    </message>
    <message>
        <source>Looking through your folders</source>
        <translation>Ihre Ordner werden durchgesehen</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach Claude. Check your internet connection and try again.</source>
        <translation>Claude ist nicht erreichbar. Prüfen Sie Ihre Internetverbindung und versuchen Sie es erneut.</translation>
    </message>
    <message numerus="yes">
        <source>Found %Ln file(s)</source>
        <translation>
            <numerusform>%Ln Datei gefunden</numerusform>
            <numerusform>%Ln Dateien gefunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Sorted your newest %Ln file(s). Run it again for the rest.</source>
        <translation>
            <numerusform>Ihre neueste Datei wurde sortiert. Starten Sie erneut für den Rest.</numerusform>
            <numerusform>Ihre %Ln neuesten Dateien wurden sortiert. Starten Sie erneut für den Rest.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>You&apos;ve reached this month&apos;s limit of %Ln file(s). It resets on the 1st.</source>
        <translation>
            <numerusform>Sie haben das Monatslimit von %Ln Datei erreicht. Es gilt ab dem 1. wieder neu.</numerusform>
            <numerusform>Sie haben das Monatslimit von %Ln Dateien erreicht. Es gilt ab dem 1. wieder neu.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Sorted your newest %Ln file(s). You&apos;ve reached this month&apos;s limit.</source>
        <translation>
            <numerusform>Ihre neueste Datei wurde sortiert. Sie haben das Monatslimit erreicht.</numerusform>
            <numerusform>Ihre %Ln neuesten Dateien wurden sortiert. Sie haben das Monatslimit erreicht.</numerusform>
        </translation>
    </message>
    <message>
        <source>Learning what you work on</source>
        <translation>Tovrin lernt, woran Sie arbeiten</translation>
    </message>
    <message>
        <source>Nothing new to sort</source>
        <translation>Nichts Neues zu sortieren</translation>
    </message>
    <message numerus="yes">
        <source>Looking at %Ln file(s)</source>
        <translation>
            <numerusform>%Ln Datei wird angesehen</numerusform>
            <numerusform>%Ln Dateien werden angesehen</numerusform>
        </translation>
    </message>
    <message>
        <source>Goes back</source>
        <translation>Kommt zurück</translation>
    </message>
    <message>
        <source>Its old place is taken: goes back as %1</source>
        <translation>Der alte Platz ist belegt: kommt zurück als %1</translation>
    </message>
    <message>
        <source>A later refresh moved it on</source>
        <translation>Ein späteres Aufräumen hat sie weiterbewegt</translation>
    </message>
    <message>
        <source>Changed since</source>
        <translation>Seitdem geändert</translation>
    </message>
    <message>
        <source>No longer where it was put</source>
        <translation>Nicht mehr dort, wo sie abgelegt wurde</translation>
    </message>
    <message>
        <source>Already put back</source>
        <translation>Schon zurückgelegt</translation>
    </message>
    <message numerus="yes">
        <source>Restored %1 of %Ln file(s); the rest stayed where they are.</source>
        <translation>
            <numerusform>%1 von %Ln Datei zurückgelegt; der Rest blieb, wo er ist.</numerusform>
            <numerusform>%1 von %Ln Dateien zurückgelegt; der Rest blieb, wo er ist.</numerusform>
        </translation>
    </message>
    <message>
        <source>Put %1 back.</source>
        <translation>%1 wurde zurückgelegt.</translation>
    </message>
    <message>
        <source>%1 can&apos;t go back. %2</source>
        <translation>%1 kann nicht zurück. %2</translation>
    </message>
    <message>
        <source>Waiting for your go-ahead</source>
        <translation>Wartet auf Ihr Okay</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Wird gestoppt…</translation>
    </message>
    <message numerus="yes">
        <source>Stopped. This refresh cost %1 for %Ln file(s) sent to Claude.</source>
        <translation>
            <numerusform>Gestoppt. Dieses Aufräumen hat %1 für %Ln an Claude gesendete Datei gekostet.</numerusform>
            <numerusform>Gestoppt. Dieses Aufräumen hat %1 für %Ln an Claude gesendete Dateien gekostet.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>About %1 for %Ln file(s)</source>
        <translation>
            <numerusform>Etwa %1 für %Ln Datei</numerusform>
            <numerusform>Etwa %1 für %Ln Dateien</numerusform>
        </translation>
    </message>
    <message>
        <source>That is more than your limit of %1 a refresh. Go on?</source>
        <translation>Das ist mehr als Ihr Limit von %1 pro Aufräumen. Weitermachen?</translation>
    </message>
    <message>
        <source>Tovrin is busy on the command line. Try again when it is done.</source>
        <translation>Tovrin arbeitet gerade auf der Kommandozeile. Versuchen Sie es erneut, wenn es fertig ist.</translation>
    </message>
    <message numerus="yes">
        <source>Stopped after %Ln file(s) sent to the model.</source>
        <translation>
            <numerusform>Angehalten nach %Ln an das Modell gesendeten Datei.</numerusform>
            <numerusform>Angehalten nach %Ln an das Modell gesendeten Dateien.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Classifier</name>
    <message>
        <source>To clear out</source>
        <translation>Zum Aussortieren</translation>
    </message>
    <message>
        <source>Needs You</source>
        <translation>Ihre Entscheidung</translation>
    </message>
</context>
<context>
    <name>Claude</name>
    <message>
        <source>Tovrin is temporarily unavailable. Please try again later.</source>
        <translation>Tovrin ist vorübergehend nicht verfügbar. Bitte versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>Tovrin&apos;s own Claude access isn&apos;t set up in this build. Add your API key in Settings.</source>
        <translation>Tovrins eigener Claude-Zugang ist in dieser Version nicht eingerichtet. Tragen Sie Ihren API-Schlüssel in den Einstellungen ein.</translation>
    </message>
    <message>
        <source>The connection closed before Claude answered.</source>
        <translation>Die Verbindung wurde getrennt, bevor Claude geantwortet hat.</translation>
    </message>
    <message>
        <source>Claude API error %1: %2</source>
        <translation>Claude-API-Fehler %1: %2</translation>
    </message>
    <message>
        <source>Unexpected response from Claude.</source>
        <translation>Unerwartete Antwort von Claude.</translation>
    </message>
    <message>
        <source>Claude is busy right now. Try again in a minute.</source>
        <translation>Claude ist gerade ausgelastet. Versuchen Sie es in einer Minute erneut.</translation>
    </message>
    <message>
        <source>Tovrin won&apos;t send your Claude key to %1 without https. Nothing was moved.</source>
        <translation>Tovrin sendet Ihren Claude-Schlüssel nicht ohne https an %1. Nichts wurde verschoben.</translation>
    </message>
    <message>
        <source>Your Claude credits ran out. Top up at %1, then refresh again. Nothing was moved.</source>
        <translation>Ihr Claude-Guthaben ist aufgebraucht. Laden Sie es unter %1 auf und räumen Sie dann erneut auf. Nichts wurde verschoben.</translation>
    </message>
    <message>
        <source>Tovrin couldn&apos;t sign in to Claude (error %1). Nothing was moved.</source>
        <translation>Tovrin konnte sich nicht bei Claude anmelden (Fehler %1). Nichts wurde verschoben.</translation>
    </message>
    <message>
        <source>Claude model not available: %1</source>
        <translation>Claude-Modell nicht verfügbar: %1</translation>
    </message>
    <message>
        <source>Tovrin sends your files to %1 only once you switch on “I trust this server” in Settings. Nothing was moved.</source>
        <translation>Tovrin sendet Ihre Dateien erst an %1, wenn Sie in den Einstellungen „Ich vertraue diesem Server“ einschalten. Es wurde nichts verschoben.</translation>
    </message>
    <message>
        <source>The model server doesn&apos;t have that model: %1</source>
        <translation>Der Modellserver hat dieses Modell nicht: %1</translation>
    </message>
</context>
<context>
    <name>ClaudeSender</name>
    <message>
        <source>The request was cancelled.</source>
        <translation>Die Anfrage wurde abgebrochen.</translation>
    </message>
</context>
<context>
    <name>ClearSlide</name>
    <message>
        <source>ready to clear out.</source>
        <translation>bereit zum Aussortieren.</translation>
    </message>
    <message>
        <source>Nothing was deleted. It&apos;s waiting in your review folder whenever you&apos;re ready.</source>
        <translation>Nichts wurde gelöscht. Alles wartet in Ihrem Prüfordner, bis Sie so weit sind.</translation>
    </message>
</context>
<context>
    <name>ConnectionController</name>
    <message>
        <source>Connected.</source>
        <translation>Verbunden.</translation>
    </message>
    <message>
        <source>The request was cancelled.</source>
        <translation>Die Anfrage wurde abgebrochen.</translation>
    </message>
</context>
<context>
    <name>DesktopWords</name>
    <message>
        <source>A fresh start for your computer.</source>
        <translation>Ein Neuanfang für Ihren Computer.</translation>
    </message>
    <message>
        <source>A fresh start for your Mac.</source>
        <translation>Ein Neuanfang für Ihren Mac.</translation>
    </message>
    <message>
        <source>Your computer just exhaled.</source>
        <translation>Ihr Computer atmet auf.</translation>
    </message>
    <message>
        <source>Your Mac just exhaled.</source>
        <translation>Ihr Mac atmet auf.</translation>
    </message>
    <message>
        <source>Paste your Claude API key. It stays on this computer in a private file and is only sent to Anthropic.</source>
        <translation>Fügen Sie Ihren Claude-API-Schlüssel ein. Er bleibt in einer privaten Datei auf diesem Computer und wird nur an Anthropic gesendet.</translation>
    </message>
    <message>
        <source>Paste your Claude API key. It stays on this Mac in a private file and is only sent to Anthropic.</source>
        <translation>Fügen Sie Ihren Claude-API-Schlüssel ein. Er bleibt in einer privaten Datei auf diesem Mac und wird nur an Anthropic gesendet.</translation>
    </message>
    <message>
        <source>Faster, great for most computers</source>
        <translation>Schneller, ideal für die meisten Computer</translation>
    </message>
    <message>
        <source>Faster, great for most Macs</source>
        <translation>Schneller, ideal für die meisten Macs</translation>
    </message>
    <message>
        <source>Start a refresh from the tray icon.</source>
        <translation>Starten Sie das Aufräumen über das Symbol im Systembereich.</translation>
    </message>
    <message>
        <source>Start a refresh from the menu bar.</source>
        <translation>Starten Sie das Aufräumen über die Menüleiste.</translation>
    </message>
    <message>
        <source>Open in the file manager</source>
        <translation>Im Dateimanager öffnen</translation>
    </message>
    <message>
        <source>Open in Finder</source>
        <translation>Im Finder öffnen</translation>
    </message>
    <message>
        <source>Otherwise old .deb and AppImage files go to Clear out for you to review.</source>
        <translation>Sonst kommen alte .deb- und AppImage-Dateien zum Prüfen in „Aussortieren“.</translation>
    </message>
    <message>
        <source>Otherwise old .dmg and .pkg files go to Clear out for you to review.</source>
        <translation>Sonst kommen alte .dmg- und .pkg-Dateien zum Prüfen in „Aussortieren“.</translation>
    </message>
</context>
<context>
    <name>DonePanel</name>
    <message>
        <source>A fresh start.</source>
        <translation>Ein Neuanfang.</translation>
    </message>
    <message>
        <source>Everything has a home. Nothing was deleted.</source>
        <translation>Alles hat seinen Platz. Nichts wurde gelöscht.</translation>
    </message>
    <message>
        <source>Everything was already in its place.</source>
        <translation>Alles war schon an seinem Platz.</translation>
    </message>
    <message>
        <source>organized</source>
        <translation>sortiert</translation>
    </message>
    <message>
        <source>renamed</source>
        <translation>umbenannt</translation>
    </message>
    <message>
        <source>to review</source>
        <translation>zu prüfen</translation>
    </message>
    <message>
        <source>Watch your recap</source>
        <translation>Rückblick ansehen</translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s) need(s) you</source>
        <translation>
            <numerusform>%Ln Datei braucht Sie</numerusform>
            <numerusform>%Ln Dateien brauchen Sie</numerusform>
        </translation>
    </message>
    <message>
        <source>Review what to clear out · %1</source>
        <translation>Aussortiertes prüfen · %1</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
</context>
<context>
    <name>FinaleView</name>
    <message>
        <source>Breathe.</source>
        <translation>Durchatmen.</translation>
    </message>
    <message>
        <source>You&apos;re starting the week fresh.</source>
        <translation>Sie starten frisch in die Woche.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>Format</name>
    <message>
        <source>Zero KB</source>
        <translation>0 kB</translation>
    </message>
    <message numerus="yes">
        <source>%n byte(s)</source>
        <translation>
            <numerusform>%n Byte</numerusform>
            <numerusform>%n Byte</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GroupsSlide</name>
    <message>
        <source>Where everything went</source>
        <translation>Wohin alles kam</translation>
    </message>
</context>
<context>
    <name>HistoryController</name>
    <message>
        <source>%1 moved · %2 renamed</source>
        <translation>%1 verschoben · %2 umbenannt</translation>
    </message>
    <message>
        <source>Mostly to %1</source>
        <translation>Meist nach %1</translation>
    </message>
</context>
<context>
    <name>HistoryView</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Show log files</source>
        <translation>Protokolldateien zeigen</translation>
    </message>
    <message>
        <source>Nothing has been moved yet. Each refresh you apply appears here.</source>
        <translation>Noch wurde nichts verschoben. Jedes angewendete Aufräumen erscheint hier.</translation>
    </message>
    <message>
        <source>Can&apos;t be read</source>
        <translation>Nicht lesbar</translation>
    </message>
    <message>
        <source>Undone</source>
        <translation>Rückgängig gemacht</translation>
    </message>
    <message>
        <source>UNDO THIS REFRESH</source>
        <translation>DIESES AUFRÄUMEN RÜCKGÄNGIG MACHEN</translation>
    </message>
    <message>
        <source>Nothing of this refresh can go back.</source>
        <translation>Von diesem Aufräumen kann nichts zurück.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s) go back</source>
        <translation>
            <numerusform>%Ln Datei kommt zurück</numerusform>
            <numerusform>%Ln Dateien kommen zurück</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln stay where they are</source>
        <translation>
            <numerusform>%Ln bleibt, wo sie ist</numerusform>
            <numerusform>%Ln bleiben, wo sie sind</numerusform>
        </translation>
    </message>
    <message>
        <source>Put back</source>
        <translation>Zurücklegen</translation>
    </message>
    <message>
        <source>Undo this refresh</source>
        <translation>Dieses Aufräumen rückgängig machen</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>Tovrin History</source>
        <translation>Tovrin-Verlauf</translation>
    </message>
</context>
<context>
    <name>IdlePanel</name>
    <message>
        <source>Tovrin learns what you work on and gives every file a home, based on what&apos;s inside, not what it&apos;s named.</source>
        <translation>Tovrin lernt, woran Sie arbeiten, und gibt jeder Datei ihren Platz – nach ihrem Inhalt, nicht nach ihrem Namen.</translation>
    </message>
    <message>
        <source>Get started</source>
        <translation>Los geht’s</translation>
    </message>
    <message>
        <source>SINCE YOUR LAST REFRESH</source>
        <translation>SEIT DEM LETZTEN AUFRÄUMEN</translation>
    </message>
    <message numerus="yes">
        <source>new file(s)</source>
        <translation>
            <numerusform>neue Datei</numerusform>
            <numerusform>neue Dateien</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>project(s)</source>
        <translation>
            <numerusform>Projekt</numerusform>
            <numerusform>Projekte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>folder(s)</source>
        <translation>
            <numerusform>Ordner</numerusform>
            <numerusform>Ordner</numerusform>
        </translation>
    </message>
    <message>
        <source>Refresh now</source>
        <translation>Jetzt aufräumen</translation>
    </message>
    <message>
        <source>Deep clean everything</source>
        <translation>Alles gründlich aufräumen</translation>
    </message>
    <message>
        <source>All folders</source>
        <translation>Alle Ordner</translation>
    </message>
    <message>
        <source>Clear out junk &amp; duplicates</source>
        <translation>Müll und Duplikate aussortieren</translation>
    </message>
    <message>
        <source>Undo last refresh</source>
        <translation>Letztes Aufräumen rückgängig machen</translation>
    </message>
    <message>
        <source>Sunday Reset</source>
        <translation>Sonntagsputz</translation>
    </message>
    <message>
        <source>Sorts your week&apos;s new files every Sunday at 9 AM</source>
        <translation>Sortiert jeden Sonntag um 9 Uhr die neuen Dateien der Woche</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Undo any refresh</source>
        <translation>Jedes Aufräumen rückgängig machen</translation>
    </message>
</context>
<context>
    <name>IntroSlide</name>
    <message>
        <source>This Sunday,</source>
        <translation>Diesen Sonntag</translation>
    </message>
    <message>
        <source>you made room.</source>
        <translation>haben Sie Platz geschaffen.</translation>
    </message>
</context>
<context>
    <name>JunkModel</name>
    <message numerus="yes">
        <source>%1 of %Ln file(s)</source>
        <translation>
            <numerusform>%1 von %Ln Datei</numerusform>
            <numerusform>%1 von %Ln Dateien</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+ %Ln more like these. Use Keep all to keep the whole group.</source>
        <translation>
            <numerusform>+ %Ln weitere dieser Art. Mit „Alle behalten“ bleibt die ganze Gruppe.</numerusform>
            <numerusform>+ %Ln weitere dieser Art. Mit „Alle behalten“ bleibt die ganze Gruppe.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JunkTab</name>
    <message>
        <source>Clear out</source>
        <translation>Aussortieren</translation>
    </message>
    <message>
        <source>Nothing here is deleted. Checked files move to a review folder you empty yourself; unchecked files stay exactly where they are.</source>
        <translation>Hier wird nichts gelöscht. Markierte Dateien kommen in einen Prüfordner, den Sie selbst leeren; nicht markierte bleiben genau, wo sie sind.</translation>
    </message>
    <message>
        <source>Junk groups</source>
        <translation>Müllgruppen</translation>
    </message>
    <message>
        <source>Show %1</source>
        <translation>%1 einblenden</translation>
    </message>
    <message>
        <source>Hide %1</source>
        <translation>%1 ausblenden</translation>
    </message>
    <message>
        <source>Keep all</source>
        <translation>Alle behalten</translation>
    </message>
    <message>
        <source>Include again</source>
        <translation>Wieder aufnehmen</translation>
    </message>
    <message>
        <source>Keep these files where they are</source>
        <translation>Diese Dateien dort lassen, wo sie sind</translation>
    </message>
</context>
<context>
    <name>LocalModelCard</name>
    <message>
        <source>Use a model on this computer</source>
        <translation>Ein Modell auf diesem Computer verwenden</translation>
    </message>
    <message>
        <source>Your files never leave this computer, and sorting costs nothing. It needs a model server running here, and takes longer.</source>
        <translation>Ihre Dateien verlassen diesen Computer nie, und das Sortieren kostet nichts. Dafür muss hier ein Modellserver laufen, und es dauert länger.</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Prüfen</translation>
    </message>
    <message numerus="yes">
        <source>%n model(s) found.</source>
        <translation>
            <numerusform>%n Modell gefunden.</numerusform>
            <numerusform>%n Modelle gefunden.</numerusform>
        </translation>
    </message>
    <message>
        <source>I trust this server</source>
        <translation>Ich vertraue diesem Server</translation>
    </message>
    <message>
        <source>This address is not on this computer: your files would travel to it.</source>
        <translation>Diese Adresse liegt nicht auf diesem Computer: Ihre Dateien würden dorthin übertragen.</translation>
    </message>
    <message>
        <source>For files</source>
        <translation>Für Dateien</translation>
    </message>
    <message>
        <source>For pictures</source>
        <translation>Für Bilder</translation>
    </message>
    <message>
        <source>Second look</source>
        <translation>Zweiter Blick</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keines</translation>
    </message>
    <message>
        <source>Choose after “Check”</source>
        <translation>Nach „Prüfen“ auswählen</translation>
    </message>
</context>
<context>
    <name>LocalServer</name>
    <message>
        <source>The server at %1 lists no models.</source>
        <translation>Der Server unter %1 listet keine Modelle auf.</translation>
    </message>
    <message>
        <source>Couldn&apos;t reach the model at %1. Check that its server is running and try again.</source>
        <translation>Das Modell unter %1 ist nicht erreichbar. Prüfen Sie, ob sein Server läuft, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>That doesn&apos;t look like a server address. Try http://localhost:11434.</source>
        <translation>Das sieht nicht nach einer Serveradresse aus. Versuchen Sie http://localhost:11434.</translation>
    </message>
</context>
<context>
    <name>MenuStats</name>
    <message>
        <source>Claude cost for this refresh: %1</source>
        <translation>Claude-Kosten für dieses Aufräumen: %1</translation>
    </message>
</context>
<context>
    <name>ModePicker</name>
    <message>
        <source>Quick</source>
        <translation>Schnell</translation>
    </message>
    <message>
        <source>Thorough</source>
        <translation>Gründlich</translation>
    </message>
    <message>
        <source>Slower, more careful with tricky files</source>
        <translation>Langsamer, sorgfältiger bei kniffligen Dateien</translation>
    </message>
</context>
<context>
    <name>MovedSlide</name>
    <message numerus="yes">
        <source>file(s) found a home.</source>
        <translation>
            <numerusform>Datei hat ihren Platz gefunden.</numerusform>
            <numerusform>Dateien haben ihren Platz gefunden.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NeedsTab</name>
    <message>
        <source>Needs You</source>
        <translation>Ihre Entscheidung</translation>
    </message>
    <message>
        <source>Tovrin wasn&apos;t sure about these. Send them to a folder, or leave them where they are.</source>
        <translation>Hier war sich Tovrin nicht sicher. Schicken Sie sie in einen Ordner oder lassen Sie sie, wo sie sind.</translation>
    </message>
    <message>
        <source>Send all to…</source>
        <translation>Alle verschieben nach …</translation>
    </message>
    <message>
        <source>Archive</source>
        <translation>Archiv</translation>
    </message>
    <message>
        <source>Needs You folder</source>
        <translation>Ordner „Needs You“</translation>
    </message>
    <message>
        <source>Leave all where they are</source>
        <translation>Alle liegen lassen</translation>
    </message>
    <message>
        <source>Add a project, e.g. Pellmark</source>
        <translation>Neues Projekt, z. B. Pellmark</translation>
    </message>
    <message>
        <source>Add a project</source>
        <translation>Projekt hinzufügen</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Leave where it is</source>
        <translation>Liegen lassen</translation>
    </message>
    <message>
        <source>Files that need you</source>
        <translation>Dateien, die Sie brauchen</translation>
    </message>
    <message>
        <source>Destination of %1: %2</source>
        <translation>Ziel von %1: %2</translation>
    </message>
</context>
<context>
    <name>Notifier</name>
    <message>
        <source>Your fresh start is ready</source>
        <translation>Ihr Neuanfang ist bereit</translation>
    </message>
    <message numerus="yes">
        <source>%Ln change(s) are waiting. Nothing moves until you say so.</source>
        <translation>
            <numerusform>%Ln Änderung wartet. Nichts wird verschoben, bevor Sie zustimmen.</numerusform>
            <numerusform>%Ln Änderungen warten. Nichts wird verschoben, bevor Sie zustimmen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Don&apos;t forget to start the week fresh.</source>
        <translation>Vergessen Sie nicht, frisch in die Woche zu starten.</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>This refresh costs more than your limit</source>
        <translation>Dieses Aufräumen kostet mehr als Ihr Limit</translation>
    </message>
    <message>
        <source>%1, above your limit of %2. Open Tovrin to go on or stop.</source>
        <translation>%1, über Ihrem Limit von %2. Öffnen Sie Tovrin, um weiterzumachen oder zu stoppen.</translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>Tovrin</source>
        <translation>Tovrin</translation>
    </message>
    <message>
        <source>Connect Tovrin</source>
        <translation>Tovrin verbinden</translation>
    </message>
    <message>
        <source>Test connection</source>
        <translation>Verbindung testen</translation>
    </message>
    <message>
        <source>A few preferences</source>
        <translation>Ein paar Einstellungen</translation>
    </message>
    <message>
        <source>Tovrin learns your projects and brands on its own during your first refresh. You can change these any time in Settings.</source>
        <translation>Tovrin lernt Ihre Projekte und Marken beim ersten Aufräumen von selbst. Sie können das jederzeit in den Einstellungen ändern.</translation>
    </message>
    <message>
        <source>FOLDERS TO SORT</source>
        <translation>ZU SORTIERENDE ORDNER</translation>
    </message>
    <message>
        <source>Organized folders are created in your Documents folder.</source>
        <translation>Die sortierten Ordner entstehen in Ihrem Dokumente-Ordner.</translation>
    </message>
    <message>
        <source>Rename unclear files by what&apos;s in them</source>
        <translation>Unklare Dateien nach ihrem Inhalt umbenennen</translation>
    </message>
    <message>
        <source>IMG_4821.png → “Vantle - holographic dragon card art.png”, named by what&apos;s actually in the file.</source>
        <translation>IMG_4821.png → „Vantle - holografische Drachenkarte.png“, benannt nach dem, was wirklich in der Datei steckt.</translation>
    </message>
    <message>
        <source>Keep app installers</source>
        <translation>App-Installer behalten</translation>
    </message>
    <message>
        <source>Sunday Reset</source>
        <translation>Sonntagsputz</translation>
    </message>
    <message>
        <source>Every Sunday at 9 AM, Tovrin sorts the files you saved that week (in Downloads and on your Desktop) and sends you a notification when it&apos;s ready. You review and approve. Nothing moves before that.</source>
        <translation>Jeden Sonntag um 9 Uhr sortiert Tovrin die Dateien, die Sie in der Woche gespeichert haben (in Downloads und auf dem Schreibtisch), und benachrichtigt Sie, wenn alles bereit ist. Sie prüfen und bestätigen. Vorher wird nichts verschoben.</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Start my first refresh</source>
        <translation>Erstes Aufräumen starten</translation>
    </message>
    <message>
        <source>Tovrin asks the model server below, so no key is needed.</source>
        <translation>Tovrin fragt den Modellserver unten, daher ist kein Schlüssel nötig.</translation>
    </message>
</context>
<context>
    <name>OnboardingWindow</name>
    <message>
        <source>Welcome to Tovrin</source>
        <translation>Willkommen bei Tovrin</translation>
    </message>
</context>
<context>
    <name>OrganizeTab</name>
    <message>
        <source>Files to organize</source>
        <translation>Zu sortierende Dateien</translation>
    </message>
</context>
<context>
    <name>PanelHeader</name>
    <message>
        <source>Tovrin</source>
        <translation>Tovrin</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
</context>
<context>
    <name>PanelWindow</name>
    <message>
        <source>Tovrin</source>
        <translation>Tovrin</translation>
    </message>
</context>
<context>
    <name>ProjectsEditor</name>
    <message>
        <source>None yet. They&apos;re learned automatically on your first refresh.</source>
        <translation>Noch keine. Tovrin lernt sie beim ersten Aufräumen von selbst.</translation>
    </message>
    <message>
        <source>Add a project, e.g. Pellmark</source>
        <translation>Neues Projekt, z. B. Pellmark</translation>
    </message>
    <message>
        <source>Other names, comma separated</source>
        <translation>Weitere Namen, kommagetrennt</translation>
    </message>
</context>
<context>
    <name>RecapController</name>
    <message numerus="yes">
        <source>+ %Ln more</source>
        <translation>
            <numerusform>+ %Ln weitere</numerusform>
            <numerusform>+ %Ln weitere</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecapView</name>
    <message>
        <source>Click to continue</source>
        <translation>Klicken, um fortzufahren</translation>
    </message>
</context>
<context>
    <name>RecapWindow</name>
    <message>
        <source>Your recap</source>
        <translation>Ihr Rückblick</translation>
    </message>
</context>
<context>
    <name>RenameTab</name>
    <message>
        <source>Clear names</source>
        <translation>Klare Namen</translation>
    </message>
    <message>
        <source>Only files with meaningless names. Extensions never change.</source>
        <translation>Nur Dateien mit nichtssagenden Namen. Endungen ändern sich nie.</translation>
    </message>
    <message>
        <source>Renames</source>
        <translation>Umbenennungen</translation>
    </message>
    <message>
        <source>Rename %1 to %2</source>
        <translation>%1 in %2 umbenennen</translation>
    </message>
</context>
<context>
    <name>RenamedSlide</name>
    <message numerus="yes">
        <source>name(s) made clear.</source>
        <translation>
            <numerusform>Name wurde klarer.</numerusform>
            <numerusform>Namen wurden klarer.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Review</name>
    <message>
        <source>Organize</source>
        <translation>Sortieren</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Junk</source>
        <translation>Müll</translation>
    </message>
    <message>
        <source>Needs You</source>
        <translation>Ihre Entscheidung</translation>
    </message>
</context>
<context>
    <name>ReviewController</name>
    <message>
        <source>Everything</source>
        <translation>Alles</translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s) · sorted by what&apos;s inside, not the name</source>
        <translation>
            <numerusform>%Ln Datei · sortiert nach Inhalt, nicht nach Namen</numerusform>
            <numerusform>%Ln Dateien · sortiert nach Inhalt, nicht nach Namen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Approve %Ln change(s)</source>
        <translation>
            <numerusform>%Ln Änderung bestätigen</numerusform>
            <numerusform>%Ln Änderungen bestätigen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Added %1 · %Ln file(s) sorted into it.</source>
        <translation>
            <numerusform>%1 hinzugefügt · %Ln Datei dorthin sortiert.</numerusform>
            <numerusform>%1 hinzugefügt · %Ln Dateien dorthin sortiert.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReviewModel</name>
    <message>
        <source>Needs You folder</source>
        <translation>Ordner „Needs You“</translation>
    </message>
    <message>
        <source>Leave where it is</source>
        <translation>Liegen lassen</translation>
    </message>
</context>
<context>
    <name>ReviewReadyPanel</name>
    <message>
        <source>Your fresh start is ready</source>
        <translation>Ihr Neuanfang ist bereit</translation>
    </message>
    <message>
        <source>to organize</source>
        <translation>zu sortieren</translation>
    </message>
    <message>
        <source>to rename</source>
        <translation>umzubenennen</translation>
    </message>
    <message>
        <source>junk</source>
        <translation>Müll</translation>
    </message>
    <message>
        <source>Review changes</source>
        <translation>Änderungen prüfen</translation>
    </message>
    <message>
        <source>Not now</source>
        <translation>Nicht jetzt</translation>
    </message>
</context>
<context>
    <name>ReviewView</name>
    <message>
        <source>Nothing waiting</source>
        <translation>Nichts zu prüfen</translation>
    </message>
    <message>
        <source>Nothing is deleted · undo anytime</source>
        <translation>Nichts wird gelöscht · jederzeit rückgängig</translation>
    </message>
    <message>
        <source>Organize only</source>
        <translation>Nur sortieren</translation>
    </message>
</context>
<context>
    <name>ReviewWindow</name>
    <message>
        <source>Your fresh start</source>
        <translation>Ihr Neuanfang</translation>
    </message>
</context>
<context>
    <name>RunGate</name>
    <message>
        <source>The refresh was stopped.</source>
        <translation>Das Aufräumen wurde gestoppt.</translation>
    </message>
</context>
<context>
    <name>ScanningPanel</name>
    <message>
        <source>Go on</source>
        <translation>Weitermachen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Rename unclear files by what&apos;s in them</source>
        <translation>Unklare Dateien nach ihrem Inhalt umbenennen</translation>
    </message>
    <message>
        <source>IMG_4821.png → “Vantle - holographic dragon card art.png”, named by what&apos;s actually in the file.</source>
        <translation>IMG_4821.png → „Vantle - holografische Drachenkarte.png“, benannt nach dem, was wirklich in der Datei steckt.</translation>
    </message>
    <message>
        <source>Keep app installers</source>
        <translation>App-Installer behalten</translation>
    </message>
    <message>
        <source>Sunday Reset</source>
        <translation>Sonntagsputz</translation>
    </message>
    <message>
        <source>Every Sunday at 9 AM, Tovrin sorts the files you saved that week (in Downloads and on your Desktop) and sends you a notification when it&apos;s ready. You review and approve. Nothing moves before that.</source>
        <translation>Jeden Sonntag um 9 Uhr sortiert Tovrin die Dateien, die Sie in der Woche gespeichert haben (in Downloads und auf dem Schreibtisch), und benachrichtigt Sie, wenn alles bereit ist. Sie prüfen und bestätigen. Vorher wird nichts verschoben.</translation>
    </message>
    <message>
        <source>Sunday 9 AM reminder</source>
        <translation>Erinnerung sonntags um 9 Uhr</translation>
    </message>
    <message>
        <source>A gentle nudge: “Don&apos;t forget to start the week fresh.” Not needed when Sunday Reset is on, since that already notifies you.</source>
        <translation>Ein sanfter Anstoß: „Vergessen Sie nicht, frisch in die Woche zu starten.“ Unnötig, wenn der Sonntagsputz an ist – er benachrichtigt Sie bereits.</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message>
        <source>Tovrin opens quietly in the background when you sign in.</source>
        <translation>Tovrin startet beim Anmelden unauffällig im Hintergrund.</translation>
    </message>
    <message>
        <source>PROJECTS TOVRIN KNOWS</source>
        <translation>PROJEKTE, DIE TOVRIN KENNT</translation>
    </message>
    <message>
        <source>CLAUDE USAGE</source>
        <translation>CLAUDE-NUTZUNG</translation>
    </message>
    <message>
        <source>Open move history</source>
        <translation>Verlauf der Verschiebungen öffnen</translation>
    </message>
    <message>
        <source>Preview recap</source>
        <translation>Rückblick als Vorschau</translation>
    </message>
    <message>
        <source>Preview animation</source>
        <translation>Animation als Vorschau</translation>
    </message>
    <message>
        <source>Tovrin 0.1 · development build</source>
        <translation>Tovrin 0.1 · Entwicklungsversion</translation>
    </message>
    <message>
        <source>Ask before a costly refresh</source>
        <translation>Vor teurem Aufräumen fragen</translation>
    </message>
    <message>
        <source>When a refresh would cost Claude more than this, Tovrin waits for your go-ahead before sending anything.</source>
        <translation>Würde ein Aufräumen bei Claude mehr kosten, wartet Tovrin auf Ihr Okay, bevor es etwas sendet.</translation>
    </message>
    <message>
        <source>Limit per refresh: $</source>
        <translation>Limit pro Aufräumen ($):</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Tovrin Settings</source>
        <translation>Tovrin-Einstellungen</translation>
    </message>
</context>
<context>
    <name>Sidebar</name>
    <message>
        <source>DESTINATIONS</source>
        <translation>ZIELE</translation>
    </message>
    <message>
        <source>Everything</source>
        <translation>Alles</translation>
    </message>
</context>
<context>
    <name>SidebarRow</name>
    <message numerus="yes">
        <source>%1, %Ln file(s)</source>
        <translation>
            <numerusform>%1, %Ln Datei</numerusform>
            <numerusform>%1, %Ln Dateien</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SuggestionBanner</name>
    <message numerus="yes">
        <source>Looks like a project: &lt;b&gt;%2&lt;/b&gt;&lt;font color=&quot;%1&quot;&gt; (%Ln file(s))&lt;/font&gt;</source>
        <translation>
            <numerusform>Sieht nach einem Projekt aus: &lt;b&gt;%2&lt;/b&gt;&lt;font color=&quot;%1&quot;&gt; (%Ln Datei)&lt;/font&gt;</numerusform>
            <numerusform>Sieht nach einem Projekt aus: &lt;b&gt;%2&lt;/b&gt;&lt;font color=&quot;%1&quot;&gt; (%Ln Dateien)&lt;/font&gt;</numerusform>
        </translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Add %1 as a project</source>
        <translation>%1 als Projekt hinzufügen</translation>
    </message>
    <message>
        <source>Hide %1</source>
        <translation>%1 ausblenden</translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <source>Open Tovrin</source>
        <translation>Tovrin öffnen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>Usage</name>
    <message>
        <source>last refresh</source>
        <translation>letztes Aufräumen</translation>
    </message>
    <message>
        <source>this month</source>
        <translation>diesen Monat</translation>
    </message>
    <message>
        <source>all time</source>
        <translation>insgesamt</translation>
    </message>
    <message numerus="yes">
        <source>file(s) this month</source>
        <translation>
            <numerusform>Datei im Monat</numerusform>
            <numerusform>Dateien im Monat</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ZenPreview</name>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
</context>
<context>
    <name>ZenView</name>
    <message>
        <source>Breathe in</source>
        <translation>Einatmen</translation>
    </message>
    <message>
        <source>Breathe out</source>
        <translation>Ausatmen</translation>
    </message>
</context>
<context>
    <name>ZenWindow</name>
    <message>
        <source>Refresh animation</source>
        <translation>Aufräum-Animation</translation>
    </message>
</context>
</TS>
