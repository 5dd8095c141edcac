#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "document.h"

namespace zembrati::scene {

// The document as JSON text: every shape with its name, kind and placement, its components with
// their typed variables and shapes, the profiles' loops as drawn, and the data objects on the
// scene-tree items. Bodies are rebuilt from their loops when a document is read, so nothing
// derived is stored. The same document always gives the same text.
std::string DocumentToJson(const Document& document);
// The same text handed to `sink` in pieces of about a megabyte, never held whole: the pieces
// joined are DocumentToJson's text. What `sink` raises goes through.
void WriteDocumentJson(const Document& document, const std::function<void(std::string_view)>& sink);
// Raises a host error that says what is wrong when the text is not a document of this host.
// `passed`, where given, is told how far the reader has come now and then (every few megabytes):
// the text before that is not read again.
Document DocumentFromJson(std::string_view text, const std::function<void(std::size_t)>& passed = {});

// Saves the document to a file: written beside it first and then put in its place, so a failed
// save leaves the old file as it was.
void SaveDocument(const Document& document, const std::string& path);
// Reads a document file; a missing, unreadable or damaged file is a host error naming it (the
// file is only read).
Document LoadDocument(const std::string& path);

}  // namespace zembrati::scene
