#include "editor/operations/write_messages.h"

#include "editor/form/grid_rows.h"

#include <algorithm>

namespace marlwick::messages {
namespace {

constexpr std::string_view kNothingWritten = " Es wurde nichts geschrieben.";

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// A message box ends its text at a NUL byte: show each as a mark instead.
std::string withVisibleNuls(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        if (c == '\0')
            shown += kNulMark;
        else
            shown += c;
    }
    return shown;
}

std::string inGermanQuotes(std::string_view text) {
    return "„" + std::string(text) + "“";
}

// Captions are laid out with runs of blanks; a message names them with single ones.
std::string singleBlanks(std::string_view caption) {
    std::string text(caption);
    const auto end =
        std::unique(text.begin(), text.end(), [](char a, char b) { return a == ' ' && b == ' '; });
    text.erase(end, text.end());
    return text;
}

} // namespace

std::string boxName(int box) {
    const auto row = std::ranges::find_if(grid::kValueRows, [box](const grid::ValueRow& candidate) {
        return candidate.group.shows(box);
    });
    if (row == grid::kValueRows.end())
        return inGermanQuotes(grid::kRouteValueCaption);
    const int column = box - row->group.firstBox;
    const std::string caption = inGermanQuotes(singleBlanks(row->caption));
    if (row->group.count < grid::kRoadClassCount)
        return caption + ", " + std::to_string(column + 1) + ". Wert";
    const RoadClass& road = kRoadClasses[static_cast<std::size_t>(column)];
    return caption + " / " +
           inGermanQuotes(
               singleBlanks(layout::headedOutsideTowns(*row) ? road.outsideTowns : road.inTowns));
}

std::string fileUnreadable(std::string_view path) {
    return "Die Datei " + quoted(path) + " ist nicht vorhanden oder kann nicht gelesen werden." +
           std::string(kNothingWritten);
}

std::string fileLocked(std::string_view path) {
    return "Die Datei " + quoted(path) +
           " ist vorhanden, kann aber nicht gelesen werden. Vielleicht hat ein anderes "
           "Programm sie geöffnet.";
}

std::string noProfileName(std::string_view caption) {
    return "Zur Auswahl " + quoted(caption) + " gibt es kein Profil." +
           std::string(kNothingWritten);
}

std::string groupNotFound(std::string_view profileName, const ValueGroup& group,
                          const ZerlegeResult& failed) {
    if (failed[0] == kSuch1Error)
        return profileMissing(profileName);
    std::string_view missing = group.suchnach1;
    if (failed[1] == kSuch2Error)
        missing = group.such2;
    else if (failed[2] == kSuch3Error)
        missing = group.such3;
    return profileLacks(profileName, missing);
}

std::string profileLacks(std::string_view profileName, std::string_view tag) {
    return "Im Profil " + quoted(profileName) + " fehlt " + quoted(tag) + "." +
           std::string(kNothingWritten);
}

std::string profileMissing(std::string_view profileName) {
    return "Das Profil " + quoted(profileName) + " steht nicht in der Datei." +
           std::string(kNothingWritten);
}

std::string notLoadedFor(ProfileKind kind, std::string_view caption, std::string_view boxName) {
    const std::string block = kind == ProfileKind::Vehicle ? "des Fahrzeugs" : "der Route";
    return "Die Werte " + block + " sind nicht für " + inGermanQuotes(caption) +
           " aus dessen Profil geladen (Feld " + std::string(boxName) + "). Bitte " +
           inGermanQuotes(caption) + " neu laden, indem Sie es noch einmal auswählen." +
           std::string(kNothingWritten);
}

std::string holdsTag(std::string_view boxName) {
    return "Die Liste ab Feld " + std::string(boxName) +
           " enthält in der Datei oder in den neuen Werten ein „<“, das als Tag gelesen werden "
           "könnte." +
           std::string(kNothingWritten);
}

std::string changedMeanwhile(std::string_view path) {
    return "Die Datei " + quoted(path) +
           " wurde verändert, während die Frage offen war, oder ist nicht mehr lesbar." +
           std::string(kNothingWritten) +
           " Die Änderungen lassen sich noch einmal übernehmen; dabei wird die Datei neu gelesen.";
}

std::string changedSinceLoad(ProfileKind kind, std::string_view caption, std::string_view path) {
    const std::string block = kind == ProfileKind::Vehicle ? "des Fahrzeugs" : "der Route";
    return "Die Datei " + quoted(path) + " wurde seit dem Laden der Werte " + block + " „" +
           std::string(caption) + "“ verändert. Bitte „" + std::string(caption) +
           "“ neu laden, indem Sie es noch einmal auswählen, und die Änderung dann erneut "
           "eingeben." +
           std::string(kNothingWritten);
}

std::string notOneValue(std::string_view boxName, std::size_t valuesInFile, int valuesShown) {
    return "Die Liste des Feldes " + std::string(boxName) + " hat in der Datei " +
           std::to_string(valuesInFile) + (valuesInFile == 1 ? " Wert" : " Werte") + " statt " +
           std::to_string(valuesShown) +
           ", und dieses Feld zeigt keinen davon. Es lässt sich hier nicht ändern." +
           std::string(kNothingWritten);
}

std::string notANumber(std::string_view boxName, std::string_view text) {
    // A long typed text is named by its start.
    constexpr std::size_t kShown = 40;
    const std::string shown =
        withVisibleNuls(text.substr(0, kShown)) + (text.size() > kShown ? "..." : "");
    return "Im Feld " + std::string(boxName) + " steht „" + shown + "“, keine Zahl." +
           std::string(kNothingWritten);
}

std::string outOfMemory(std::string_view path) {
    return "Für die Datei " + quoted(path) +
           " reicht der Arbeitsspeicher nicht. Sie ist unverändert.";
}

std::string excerptTagMissing(std::string_view profileName, std::string_view tag) {
    return "Die Änderungen am Profil " + quoted(profileName) +
           " können nicht angezeigt werden: " + quoted(tag) + " fehlt." +
           std::string(kNothingWritten);
}

std::string routingTagMissing(std::string_view path, std::string_view tag) {
    return "In der Datei " + quoted(path) + " fehlt " + quoted(tag) + "." +
           std::string(kNothingWritten);
}

std::string replaceFailure(std::string_view path, const ReplaceResult& result) {
    const std::string error = " (Fehler " + std::to_string(result.error) + ")";
    switch (result.outcome) {
    case ReplaceOutcome::Replaced:
        return {};
    case ReplaceOutcome::Unchanged:
        if (result.failedStep == ReplaceStep::ReadOnly)
            return "Die Datei " + quoted(path) + " ist schreibgeschützt." +
                   std::string(kNothingWritten);
        return "Die Datei " + quoted(path) + " konnte nicht geschrieben werden" + error +
               ". Sie ist unverändert.";
    case ReplaceOutcome::ChangedMeanwhile:
        return changedMeanwhile(path);
    case ReplaceOutcome::LeftAsFound:
        return "Die Datei " + quoted(path) +
               " ließ sich nach dem Schreiben nicht fehlerfrei zurücklesen und wurde seitdem "
               "von anderer Seite verändert. Sie enthält jetzt weder den alten noch den neuen "
               "Inhalt und wurde so gelassen. Der alte Inhalt liegt im Sicherungsordner.";
    case ReplaceOutcome::RestoredOld:
        return "Die Datei " + quoted(path) +
               " wurde geschrieben, ließ sich aber nicht fehlerfrei zurücklesen. Der alte "
               "Inhalt wurde wiederhergestellt. Bitte den Datenträger prüfen.";
    case ReplaceOutcome::RestoreFailed:
        return "Die Datei " + quoted(path) +
               " ließ sich nach dem Schreiben nicht fehlerfrei lesen, und der alte Inhalt "
               "konnte nicht bestätigt werden. Bitte den Datenträger prüfen und die Datei "
               "mit einer Sicherung vergleichen.";
    }
    return {};
}

std::string confirmation(std::string_view header, std::string_view excerpt) {
    std::string text = std::string(header) + withVisibleNuls(excerpt.substr(0, kExcerptShown));
    if (excerpt.size() > kExcerptShown)
        text += "\r\n[... und " + std::to_string(excerpt.size() - kExcerptShown) +
                " weitere Zeichen, die ebenfalls übernommen werden]";
    return text;
}

namespace {

std::string noBackupOf(std::string_view path) {
    return "Von der Datei " + quoted(path) +
           " konnte vor dem Schreiben keine Sicherung angelegt werden";
}

} // namespace

std::string backupFailed(std::string_view path, std::uint32_t error, std::string_view systemText) {
    const std::string code = "(Fehler " + std::to_string(error) + ")";
    if (systemText.empty())
        return noBackupOf(path) + " " + code + ".";
    return noBackupOf(path) + ". Das System meldet: „" + std::string(systemText) + "“ " + code +
           ".";
}

std::string backupOfBackupFolder(std::string_view path) {
    return noBackupOf(path) + ": Sie liegt selbst im Sicherungsordner.";
}

std::string noTargetToRestore() {
    return "Es ist keine Datei ausgewählt, deren Sicherung zurückgeholt werden könnte.";
}

std::string noBackupsOf(std::string_view fileName, std::string_view folder) {
    const std::string where = folder.empty() ? "" : " im Sicherungsordner " + quoted(folder);
    return "Von der Datei " + quoted(fileName) + " gibt es" + where + " keine Sicherung.";
}

std::string notABackupOf(std::string_view chosen, std::string_view fileName,
                         std::string_view folder) {
    return "Die Datei " + quoted(chosen) + " ist keine Sicherung von " + quoted(fileName) +
           " aus dem Sicherungsordner " + quoted(folder) +
           ". Zurückgeholt werden nur deren eigene Sicherungen." + std::string(kNothingWritten);
}

std::string restoreQuestion(std::string_view backupPath, std::string_view time,
                            std::string_view path) {
    // "2026-12-07 23-59-59" as a German reader writes it: "07.12.2026 um 23:59:59 Uhr".
    std::string clock(time.substr(11, 8));
    std::ranges::replace(clock, '-', ':');
    const std::string date = std::string(time.substr(8, 2)) + "." + std::string(time.substr(5, 2)) +
                             "." + std::string(time.substr(0, 4));
    return "Die Datei " + quoted(path) + " durch die Sicherung vom " + date + " um " + clock +
           " Uhr ersetzen?\r\n\r\nSicherung: " + quoted(backupPath) +
           "\r\n\r\nVom jetzigen Inhalt der Datei wird vorher eine Sicherung angelegt.";
}

} // namespace marlwick::messages
