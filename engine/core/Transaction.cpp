#include "Transaction.h"

#include "Cp932.h"
#include "Installation.h"
#include "UpdateDescription.h"
#include "WorkFile.h"

#include <algorithm>

namespace {

// Journal lines: a header, one line per replacement (R: renamed, P: written in place) with its work file and
// its target separated by a tab, and a last line that tells a whole journal from a cut one. Paths hold no tab
// or line end: Windows refuses control characters in names, and no CP932 trail byte is one.
constexpr std::string_view kHeader = "PARVEL JOURNAL 1";
constexpr std::string_view kEnd = "END";
// A journal lists at most a few thousand files; anything far larger is not ours.
constexpr size_t kMaxJournalBytes = 64u << 20;

bool ReadWhole(FileHost& files, const std::string& path, std::string& text)
{
    std::unique_ptr<ByteReader> reader = files.OpenRead(path);
    return reader && ReadRestUpTo(*reader, kMaxJournalBytes, text);
}

// Parses the lines it can; true when the text was a whole journal.
bool ParseLines(std::string_view text, std::vector<Replacement>& replacements)
{
    replacements.clear();
    bool header = false;
    for (std::string_view line : SplitTextLines(text)) {
        if (!header) {
            if (line != kHeader)
                return false;
            header = true;
            continue;
        }
        if (line == kEnd)
            return true;
        size_t tab = line.find('\t', 2);
        if (line.size() < 4 || (line[0] != 'R' && line[0] != 'P') || line[1] != '\t' || tab == std::string_view::npos)
            return false;
        Replacement replacement{std::string(line.substr(2, tab - 2)), std::string(line.substr(tab + 1)), line[0] == 'P'};
        // Only our own work names: a journal can never make the run rename a file of another kind.
        if (replacement.target.empty() || replacement.work != replacement.target + kWorkFileSuffix)
            return false;
        replacements.push_back(std::move(replacement));
    }
    return false;
}

class Committer {
public:
    Committer(FileHost& files, const std::string& installFolder, const std::vector<Replacement>& replacements,
              const AskRetryFor& askRetry)
        : m_files(files), m_journal(JournalPath(installFolder)), m_folder(installFolder),
          m_replacements(replacements), m_askRetry(askRetry)
    {
    }

    bool WriteJournal();
    // Applies each replacement in turn, asking again while another program holds its file. index: the
    // first one not applied in full.
    MoveResult ApplyAll(size_t& index);
    // Puts the originals back, from the last replacement begun down to the first.
    bool Undo(size_t through);
    // Removes the set-aside originals, the copies of the files written in place, and then the journal.
    bool CleanUp();
    bool RemoveJournal();
    const std::string& Journal() const { return m_journal; }
    std::vector<std::string> WrittenInPlace() const;

private:
    MoveResult Apply(size_t index);
    MoveResult WriteInPlace(const Replacement& replacement);
    bool UndoOne(size_t index);
    bool InPlace(size_t index) const { return m_replacements[index].inPlace || m_doneInPlace[index]; }

    FileHost& m_files;
    std::string m_journal;
    std::string m_folder;
    const std::vector<Replacement>& m_replacements;
    const AskRetryFor& m_askRetry;
    std::vector<bool> m_doneInPlace = std::vector<bool>(m_replacements.size(), false);
};

bool Committer::WriteJournal()
{
    const std::string work = m_journal + kWorkFileSuffix;
    std::unique_ptr<HostWriter> writer = m_files.CreateExclusive(work);
    bool written = writer && writer->Write(JournalText(m_replacements));
    written = writer && writer->Close() && written;
    writer.reset();
    // Flushed under its work name and then renamed, written through: the journal's name on disk always
    // stands for the whole journal.
    if (written && m_files.FlushFile(work) &&
        m_files.MoveOver(work, m_journal, NameChange::WrittenThrough) == MoveResult::Moved)
        return true;
    if (m_files.Probe(work) != Existence::Missing)
        m_files.RemoveFile(work);
    return false;
}

// Safe to repeat at any state a cut may leave: a replacement whose work file is gone is done.
MoveResult Committer::Apply(size_t index)
{
    const Replacement& replacement = m_replacements[index];
    const std::string aside = replacement.Aside();
    switch (m_files.Probe(replacement.work)) {
    case Existence::Missing: return MoveResult::Moved;
    case Existence::Unknown: return MoveResult::Failed;
    case Existence::Present: break;
    }
    if (replacement.inPlace)
        return WriteInPlace(replacement);
    Existence target = m_files.Probe(replacement.target);
    Existence kept = m_files.Probe(aside);
    if (target == Existence::Unknown || kept == Existence::Unknown)
        return MoveResult::Failed;
    // The original is kept aside, so that the update can still be taken back.
    if (target == Existence::Present && kept == Existence::Missing && !m_files.KeepOriginal(replacement.target, aside))
        return MoveResult::Failed;
    MoveResult moved = m_files.MoveOver(replacement.work, replacement.target, NameChange::WrittenThrough);
    if (moved != MoveResult::Held || !replacement.inPlaceIfHeld || target != Existence::Present)
        return moved;
    // Another program has it open and will not let it be renamed: written where it is, as the profile calls do.
    if (!m_files.RemoveFile(aside))
        return MoveResult::Failed;
    moved = WriteInPlace(replacement);
    m_doneInPlace[index] = moved == MoveResult::Moved;
    return moved;
}

// A file written in place keeps its name on the same bytes, so its original is kept as a copy.
MoveResult Committer::WriteInPlace(const Replacement& replacement)
{
    const std::string aside = replacement.Aside();
    Existence target = m_files.Probe(replacement.target);
    Existence kept = m_files.Probe(aside);
    if (target == Existence::Unknown || kept == Existence::Unknown)
        return MoveResult::Failed;
    if (target == Existence::Present && kept == Existence::Missing &&
        !(m_files.CopyFileTo(replacement.target, aside) && m_files.FlushFile(aside)))
        return MoveResult::Failed;
    return m_files.OverwriteInPlace(replacement.work, replacement.target) ? MoveResult::Moved : MoveResult::Failed;
}

MoveResult Committer::ApplyAll(size_t& index)
{
    for (index = 0; index < m_replacements.size(); ++index) {
        for (;;) {
            MoveResult moved = Apply(index);
            if (moved == MoveResult::Moved)
                break;
            if (moved == MoveResult::Failed || m_askRetry(m_replacements[index].target) != RetryAnswer::Retry)
                return moved;
        }
    }
    return MoveResult::Moved;
}

bool Committer::UndoOne(size_t index)
{
    const Replacement& replacement = m_replacements[index];
    const std::string aside = replacement.Aside();
    Existence original = m_files.Probe(aside);
    Existence work = m_files.Probe(replacement.work);
    Existence target = m_files.Probe(replacement.target);
    if (original == Existence::Unknown || work == Existence::Unknown || target == Existence::Unknown)
        return false;
    if (InPlace(index))
        return original == Existence::Missing || m_files.OverwriteInPlace(aside, replacement.target);
    // The new file keeps its work name too, so that a cut from here on still finishes the update forward.
    if (work == Existence::Missing && target == Existence::Present) {
        bool kept = original == Existence::Present
                        ? m_files.KeepOriginal(replacement.target, replacement.work)
                        : m_files.MoveOver(replacement.target, replacement.work, NameChange::WrittenThrough) ==
                              MoveResult::Moved;
        if (!kept)
            return false;
    }
    return original == Existence::Missing ||
           m_files.MoveOver(aside, replacement.target, NameChange::WrittenThrough) == MoveResult::Moved;
}

bool Committer::Undo(size_t through)
{
    bool whole = true;
    for (size_t i = std::min(through + 1, m_replacements.size()); i-- > 0;)
        whole = UndoOne(i) && whole;
    if (!whole)
        return false;
    for (size_t i = 0; i < m_replacements.size(); ++i) {
        if (InPlace(i) && m_files.Probe(m_replacements[i].Aside()) == Existence::Present)
            m_files.RemoveFile(m_replacements[i].Aside());
    }
    return RemoveJournal();
}

bool Committer::CleanUp()
{
    bool clean = true;
    std::vector<std::string> folders;
    auto remove = [&](const std::string& path) {
        Existence there = m_files.Probe(path);
        if (there == Existence::Missing)
            return;
        clean = there == Existence::Present && m_files.RemoveFile(path) && clean;
        std::string folder = FolderOf(path);
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    };
    for (size_t i = 0; i < m_replacements.size(); ++i) {
        remove(m_replacements[i].Aside());
        if (InPlace(i))
            remove(m_replacements[i].work);
    }
    // The removals reach the disk before the journal goes: no set-aside file outlives the journal that names it.
    for (const std::string& folder : folders)
        clean = m_files.FlushFolder(folder) && clean;
    return clean && RemoveJournal();
}

std::vector<std::string> Committer::WrittenInPlace() const
{
    std::vector<std::string> targets;
    for (size_t i = 0; i < m_replacements.size(); ++i) {
        if (InPlace(i))
            targets.push_back(m_replacements[i].target);
    }
    return targets;
}

bool Committer::RemoveJournal()
{
    return m_files.RemoveFile(m_journal) && m_files.FlushFolder(m_folder);
}

} // namespace

std::string Replacement::Aside() const
{
    return target + install::kAsideSuffix;
}

std::string JournalText(const std::vector<Replacement>& replacements)
{
    std::string text = std::string(kHeader) + "\r\n";
    for (const Replacement& replacement : replacements)
        text += std::string(replacement.inPlace ? "P\t" : "R\t") + replacement.work + "\t" + replacement.target + "\r\n";
    return text + std::string(kEnd) + "\r\n";
}

bool ParseJournal(std::string_view text, std::vector<Replacement>& replacements)
{
    return ParseLines(text, replacements);
}

std::string JournalPath(const std::string& installFolder)
{
    return WithTrailingSeparator(installFolder) + install::kJournalFile;
}

CommitReport Commit(FileHost& files, const std::string& installFolder, const std::vector<Replacement>& replacements,
                    const AskRetryFor& askRetry)
{
    Committer committer(files, installFolder, replacements, askRetry);
    if (!committer.WriteJournal())
        return {CommitResult::Failed, committer.Journal(), {}};
    size_t index = 0;
    MoveResult applied = committer.ApplyAll(index);
    if (applied == MoveResult::Moved) {
        // The update is whole; what could not be cleared away now, the next start clears.
        committer.CleanUp();
        return {CommitResult::Committed, {}, committer.WrittenInPlace()};
    }
    const std::string& failed = replacements[index].target;
    if (!committer.Undo(index))
        return {CommitResult::Incomplete, failed, {}};
    return {applied == MoveResult::Held ? CommitResult::Cancelled : CommitResult::Failed, failed, {}};
}

RecoveryReport Recover(FileHost& files, const std::string& installFolder, const AskRetryFor& askRetry)
{
    const std::string journal = JournalPath(installFolder);
    const std::string work = journal + kWorkFileSuffix;
    std::vector<Replacement> replacements;
    std::string text;
    switch (files.Probe(journal)) {
    case Existence::Unknown: return {RecoveryResult::Failed, journal};
    case Existence::Present: {
        if (!ReadWhole(files, journal, text) || !ParseLines(text, replacements))
            return {RecoveryResult::Failed, journal};
        Committer committer(files, installFolder, replacements, askRetry);
        size_t index = 0;
        if (committer.ApplyAll(index) != MoveResult::Moved)
            return {RecoveryResult::Failed, replacements[index].target};
        if (!committer.CleanUp())
            return {RecoveryResult::Failed, journal};
        if (files.Probe(work) == Existence::Present)
            files.RemoveFile(work);
        return {RecoveryResult::Completed, {}};
    }
    case Existence::Missing: break;
    }
    if (files.Probe(work) != Existence::Present)
        return {};
    // Cut off while it was written: no rename was made, so the work files it names are all there is to clear.
    ReadWhole(files, work, text);
    ParseLines(text, replacements);
    for (const Replacement& replacement : replacements) {
        if (files.Probe(replacement.work) == Existence::Present)
            files.RemoveFile(replacement.work);
    }
    if (!files.RemoveFile(work))
        return {RecoveryResult::Failed, work};
    return {RecoveryResult::Discarded, {}};
}
