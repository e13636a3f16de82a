#pragma once
// INI files: the abstract TCustomIniFile, TIniFile (write-through, the platform's private-profile
// rules) and TMemIniFile (held in memory, written by UpdateFile).
//
// The file's rules, as the platform's profile functions read and write it:
// - "[name]" starts a section; "name=value" is an entry; a line whose first non-blank character is
//   ";" is a comment. Section and entry names match without regard to case (ASCII, Latin, Greek and
//   Cyrillic letters); the case found in the file is kept when a value is rewritten.
// - Lines end at CR LF, LF or a bare CR. The platform's blanks (space, tab, VT, FF, CR and the DOS
//   end-of-file mark ^Z) around names and values are not part of them; a value enclosed in a pair of
//   the same quote character (" or ') is read without the quotes.
// - A file with the UTF-8 byte-order mark is UTF-8; one without is UTF-8 when it is valid UTF-8 and
//   Windows-1252 otherwise, and is written back in that encoding, unless the bytes written would then
//   read as UTF-8: then it is written as UTF-8 (see IniDocument.h).
// - When a section or entry occurs twice, the first one is read and a repeated section adds to it;
//   DeleteKey and EraseSection remove every occurrence.
// - A line that cannot be understood (no "=", an empty name, a NUL byte) is not read but is written
//   back exactly as it was, so rewriting a damaged file never loses what is in it. A "[" without "]"
//   is such a line (or an entry, with "="): what follows it stays in the section above. Entries after
//   a header with a NUL in it belong to no section that can be named, and are kept.
// - Lines not written keep their bytes and line ends. Lines written anew end as the file's lines do, in
//   a new file with CR LF; a new section follows the last line without a blank line between.
//
// File names: "\" separators become "/", so ".\FORM.INI" is FORM.INI in the current folder. A bare
// name without any folder (as "FORM.INI") lives in the program's configuration folder (SysInfo's
// ConfigFolder), which stands in for the Windows folder that the platform uses for such names.
//
// Errors raise EIniFileException naming the file: a file that exists but cannot be read, a write
// that fails (for example into a folder that does not exist), and (as EIniWriteRefused) a write of a
// name or value that the format cannot hold (a line break or NUL in it, "=" in an entry name, "]" in a
// section name, a character the file's encoding lacks, bytes that are no UTF-8). Values are never cut to a
// length.

#include <memory>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Object.h"
#include "platform/rtl/Types.h"

namespace vcl {

class TStrings;

// A name or value the file cannot hold, refused before anything was written: the file takes other
// values all the same. Callers that save what a user typed catch it and save the rest.
class EIniWriteRefused : public EIniFileException {
public:
    using EIniFileException::EIniFileException;
};

namespace detail {
class IniDocument;

// Folds a name for case-insensitive matching (shared with the registry).
String FoldNameCase(const String& Name);
// The number rules of ReadInteger and ReadFloat (false: not a number), and WriteFloat's text.
bool IniTextToInt(const String& Text, int& Result);
bool IniTextToFloat(const String& Text, double& Result);
String IniFloatToText(double Value);
} // namespace detail

class TCustomIniFile : public TObject {
    KV_CLASS(TCustomIniFile, TObject)
public:
    explicit TCustomIniFile(const String& FileName) : FFileName(FileName) {}
    ~TCustomIniFile() override = default;

    // The name given at creation.
    String FileName() const { return FFileName; }

    // True when the section holds at least one entry.
    virtual bool SectionExists(const String& Section);
    virtual bool ValueExists(const String& Section, const String& Ident);

    virtual String ReadString(const String& Section, const String& Ident, const String& Default) = 0;
    virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
    // Decimal, or hexadecimal after "$" or "0x" (up to 32 bits, read as signed), after leading
    // spaces; Default for anything else, including a missing entry and a number out of range.
    virtual int ReadInteger(const String& Section, const String& Ident, int Default);
    virtual void WriteInteger(const String& Section, const String& Ident, int Value);
    // An integer entry: non-zero is true; Default when missing or not a number.
    virtual bool ReadBool(const String& Section, const String& Ident, bool Default);
    // Writes "1" or "0".
    virtual void WriteBool(const String& Section, const String& Ident, bool Value);
    // A number with "." as the decimal separator; Default when missing or not a number.
    virtual double ReadFloat(const String& Section, const String& Ident, double Default);
    // Writes the shortest text that reads back as the same number.
    virtual void WriteFloat(const String& Section, const String& Ident, double Value);

    // These replace the contents of Strings (a null list is ignored).
    // The entry names of a section.
    virtual void ReadSection(const String& Section, TStrings* Strings) = 0;
    // The section names.
    virtual void ReadSections(TStrings* Strings) = 0;
    // The entries of a section as "name=value" lines.
    virtual void ReadSectionValues(const String& Section, TStrings* Strings) = 0;

    virtual void EraseSection(const String& Section) = 0;
    virtual void DeleteKey(const String& Section, const String& Ident) = 0;
    // Writes what is held in memory (TIniFile writes through and has nothing to do).
    virtual void UpdateFile() = 0;

private:
    String FFileName;
};

// Reads the file afresh for every call and writes it back (atomically) at every change, holding the
// lock file "<file>.lock" from the reading to the writing so that writers never lose each other's values.
class TIniFile : public TCustomIniFile {
    KV_CLASS(TIniFile, TCustomIniFile)
public:
    explicit TIniFile(const String& FileName);
    ~TIniFile() override;

    // The file actually read and written.
    String Path() const { return FPath; }

    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    void UpdateFile() override {}

private:
    std::unique_ptr<detail::IniDocument> Load() const;
    void Save(const detail::IniDocument& Doc) const;
    // Loads, changes and (when the change says so) writes the file, all under its lock.
    template <class Change> void Modify(Change change);

    String FPath;
    bool FInConfigFolder = false;
};

// Reads the file once, at creation; changes stay in memory until UpdateFile writes them.
class TMemIniFile : public TCustomIniFile {
    KV_CLASS(TMemIniFile, TCustomIniFile)
public:
    explicit TMemIniFile(const String& FileName);
    ~TMemIniFile() override;

    String Path() const { return FPath; }

    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSections(TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    // Forgets every section and entry (the file is untouched until UpdateFile).
    void Clear();
    void UpdateFile() override;

private:
    std::unique_ptr<detail::IniDocument> FDoc;
    String FPath;
    bool FInConfigFolder = false;
};

} // namespace vcl
