#pragma once
// The text of one corpus file as the tools read it, whatever it is: a word-processor
// document (a name ending in ".docx") gives its paragraphs, any other file its text in
// whatever encoding it was written.

#include <string>
#include <string_view>

namespace corvane {

// Whether a file is read as a word-processor document: its name ends in ".docx", in any
// letter case. Such a file is never read as plain text nor walked as an archive.
bool is_docx_file_name(std::u16string_view file_name);

// A .docx file's paragraphs (DOCXFileText), any other file's text (TextFileContents);
// every line ended by CR LF either way, and the empty string for a missing file. A
// document that is not a readable zip archive, or whose body part cannot be read, raises
// corvane::Exception naming the file and the reason.
std::u16string corpus_file_text(const std::u16string& file_name);

// The paragraphs of a word-processor document whose bytes are in memory (an archive's
// entry), as DOCXFileText gives those of a file; `name` names it in errors, which raise
// corvane::Exception as DOCXFileText's do.
std::u16string docx_text_of_bytes(const std::string& bytes, const std::u16string& name);

}  // namespace corvane
