#pragma once

// Every section and key name of the settings file, declared once. Names match without regard to
// letter case in the file; the spelling here is the one written.
namespace vellum::keys {

namespace Vellum {
inline constexpr char Section[] = "Vellum";
// Document windows write the arrangement under the lower-case spelling; it is the same section.
inline constexpr char SectionLower[] = "vellum";
inline constexpr char Hello[] = "hello";
inline constexpr char State[] = "state";
inline constexpr char Count[] = "count";
inline constexpr char Tpl[] = "tpl";
inline constexpr char Browser[] = "browser";
inline constexpr char Helper[] = "helper";
inline constexpr char HelpName[] = "helpname";
inline constexpr char Back[] = "back";
inline constexpr char TabWidth[] = "tabwidth";
inline constexpr char Spaces[] = "spaces";
inline constexpr char Ai[] = "ai";
inline constexpr char DefExt[] = "defext";
// 1 (the default): a file that is not UTF-8 is read in the charset it declares; 0: Windows-1252.
inline constexpr char DeclaredCharset[] = "DeclaredCharset";
// 1 (the default): the document text is coloured as HTML; 0: plain.
inline constexpr char Highlight[] = "Highlight";
// 1 (the default): misspelt words of the prose are underlined as the text is shown; 0: not.
inline constexpr char Spelling[] = "Spelling";
// 1 (the default): modified documents are kept in the recovery folder for the next start after a
// crash; 0: not kept, nothing offered.
inline constexpr char Recovery[] = "Recovery";
// Milliseconds without an edit before a modified document is kept for recovery (default 2000).
inline constexpr char RecoveryDelay[] = "RecoveryDelay";
// Non-empty: the Table helper closes each cell with /TD.
inline constexpr char EndTd[] = "endtd";
// "sure": the Link helper offers a file on disk.
inline constexpr char UseFile[] = "use1";
// "sure": the Image helper previews the chosen picture.
inline constexpr char Preview[] = "prev";
} // namespace Vellum

namespace Windows {
inline constexpr char Section[] = "Windows";
inline constexpr char Main[] = "main";
inline constexpr char Up[] = "up";
inline constexpr char Top[] = "mt";
inline constexpr char Left[] = "ml";
inline constexpr char Width[] = "mw";
inline constexpr char Height[] = "mh";
inline constexpr char Help[] = "help";
inline constexpr char BackTop[] = "backt";
inline constexpr char BackLeft[] = "backl";
inline constexpr char FindAgainTop[] = "repl2t";
inline constexpr char FindAgainLeft[] = "repl2l";
} // namespace Windows

namespace CleanUp {
inline constexpr char Section[] = "CleanUp";
inline constexpr char Count[] = "count";
} // namespace CleanUp

namespace Roster {
inline constexpr char Section[] = "Roster";
}

namespace Ledger {
inline constexpr char Section[] = "Ledger";
}

namespace Oldies {
inline constexpr char Section[] = "Oldies";
}

namespace Quick {
inline constexpr char Section[] = "Quick";
inline constexpr char Border[] = "qborder";
inline constexpr char Caption[] = "qcaption";
inline constexpr char Rows[] = "qrow";
inline constexpr char Cells[] = "qcell";
inline constexpr char ListItems[] = "qlitem";
inline constexpr char Hidden[] = "qfhidden";
inline constexpr char Edit[] = "qfedit";
inline constexpr char Radio[] = "qfradio";
inline constexpr char Check[] = "qfcheck";
inline constexpr char ListBox[] = "qflistbox";
inline constexpr char DropList[] = "qfdroplist";
inline constexpr char TextArea[] = "qftextarea";
inline constexpr char RecentCount[] = "qrf";
} // namespace Quick

namespace Font {
inline constexpr char Section[] = "Slate*Rivet";
inline constexpr char Name[] = "Tname";
inline constexpr char Size[] = "Tsize";
inline constexpr char Color[] = "Tcolor";
inline constexpr char Style[] = "Tstyle";
} // namespace Font

// The find windows keep their options beside the editor font, in the same section.
namespace Search {
inline constexpr const char* Section = Font::Section;
inline constexpr char WholeWord[] = "wword";
inline constexpr char MatchCase[] = "mcase";
inline constexpr char Upward[] = "sup";
inline constexpr char FromTop[] = "sbeg";
} // namespace Search

// Marker values.
inline constexpr char Sure[] = "sure";
inline constexpr char StateMax[] = "max";
inline constexpr char StateNorm[] = "norm";
inline constexpr char UpOk[] = "ok";
inline constexpr char Ticked[] = "t";

} // namespace vellum::keys
