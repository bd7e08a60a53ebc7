#include "grid/FolderRecord.h"

#include "grid/PackedCells.h"
#include "kit/Varint.h"
#include "listing/FactTexts.h"
#include "listing/PathText.h"

#include <algorithm>
#include <cstring>

namespace quiverel {
namespace {

// A shorter folder text costs more to refer to than it saves.
constexpr std::size_t leastFolderText = 16;
constexpr std::size_t stampBytes = sizeof(std::uint32_t);

struct Head {
    std::uint64_t reference = 0;
    const RowShape* shape = nullptr; // nullptr: every cell kept as written
    const char* numbers = nullptr;
    const char* kept = nullptr; // the RowRecord
};

bool keepsText(CellForm form) {
    return form == CellForm::Kept || form == CellForm::FolderThenKept;
}

bool leansOnFolder(CellForm form) {
    return form == CellForm::Folder || form == CellForm::FolderEnd ||
           form == CellForm::FolderThen || form == CellForm::FolderThenKept;
}

// Reads the number a cell of form keeps in the record, if any; returns the byte after it.
const char* readNumber(CellForm form, const char* in, std::uint64_t& number) {
    switch (form) {
    case CellForm::FolderEnd:
    case CellForm::Kilobytes:
        return varint::read(in, number);
    case CellForm::Stamp: {
        std::uint32_t stamp = 0;
        std::memcpy(&stamp, in, stampBytes);
        number = stamp;
        return in + stampBytes;
    }
    default:
        return in;
    }
}

std::size_t numberBytes(CellForm form, std::uint64_t number) {
    switch (form) {
    case CellForm::FolderEnd:
    case CellForm::Kilobytes:
        return varint::sizeOf(number);
    case CellForm::Stamp:
        return stampBytes;
    default:
        return 0;
    }
}

char* writeNumber(CellForm form, std::uint64_t number, char* out) {
    if (form == CellForm::Stamp) {
        const auto stamp = static_cast<std::uint32_t>(number);
        std::memcpy(out, &stamp, stampBytes);
        return out + stampBytes;
    }
    return numberBytes(form, number) == 0 ? out : varint::write(out, number);
}

Head headOf(const char* record, const RowShapes& shapes) {
    Head head;
    std::uint64_t shape = 0;
    const char* in = varint::read(record, head.reference);
    in = varint::read(in, shape);
    head.numbers = in;
    if (shape != 0) {
        head.shape = &shapes.shape(static_cast<std::uint32_t>(shape));
        std::uint64_t number = 0;
        for (const ShapedCell& cell : *head.shape) {
            in = readNumber(cell.form, in, number);
        }
    }
    head.kept = in;
    return head;
}

// The part of text after its last dot; npos when it has none.
std::size_t extensionStart(std::string_view text) {
    const std::size_t dot = text.rfind('.');
    return dot == std::string_view::npos ? dot : dot + 1;
}

std::string_view joined(std::string_view folder, std::string_view rest, std::string& composed) {
    composed.assign(folder);
    composed.append(rest);
    return composed;
}

// The text of a cell of a shaped record. text is the kept text the cell builds on: its own for
// the forms that keep one, its source's for those that build on another cell.
std::string_view shapedText(const ShapedCell& cell, std::uint64_t number, std::string_view text,
                            std::string_view folder, std::string& composed) {
    switch (cell.form) {
    case CellForm::Empty:
        return {};
    case CellForm::Kept:
        return text;
    case CellForm::Folder:
        return folder;
    case CellForm::FolderEnd:
        return folder.substr(number);
    case CellForm::FolderThen:
    case CellForm::FolderThenKept:
        return joined(folder, text, composed);
    case CellForm::Extension:
        return text.substr(extensionStart(text));
    case CellForm::Letter:
        return {&cell.letter, 1};
    case CellForm::Stamp:
        composed.clear();
        appendPackedStamp(static_cast<std::uint32_t>(number), composed);
        return composed;
    case CellForm::Kilobytes:
        composed.clear();
        appendKilobytes(composed, number);
        return composed;
    }
    return {};
}

std::string_view folderOf(const Head& head, std::span<const std::string_view> folders) {
    return head.reference == 0 ? std::string_view() : folders[head.reference - 1];
}

} // namespace

std::string_view FolderRecordWriter::folderText(std::span<const std::string_view> cells) {
    std::string_view longest;
    for (const std::string_view cell : cells) {
        if (cell.size() > longest.size()) {
            longest = cell;
        }
    }
    const std::size_t separator = longest.rfind(pathSeparator);
    if (separator == std::string_view::npos || separator + 1 < leastFolderText) {
        return {};
    }
    return longest.substr(0, separator + 1);
}

std::size_t FolderRecordWriter::plan(std::span<const std::string_view> cells,
                                     std::uint32_t folderNumber, std::string_view folder) {
    m_shape = 0;
    if (cells.size() <= RowShapes::widest) {
        shapeCells(cells, folder);
        m_shape = m_shapes.numberOf(m_forms);
    }
    m_kept.clear();
    m_reference = 0;
    m_headBytes = 0;
    if (m_shape == 0) {
        m_kept.assign(cells.begin(), cells.end());
    } else {
        for (std::size_t col = 0; col < cells.size(); ++col) {
            const CellForm form = m_forms[col].form;
            if (keepsText(form)) {
                m_kept.push_back(form == CellForm::Kept ? cells[col]
                                                        : cells[col].substr(folder.size()));
            }
            if (leansOnFolder(form)) {
                m_reference = std::uint64_t{folderNumber} + 1;
            }
            m_headBytes += numberBytes(form, m_numbers[col]);
        }
    }
    m_headBytes += varint::sizeOf(m_reference) + varint::sizeOf(m_shape);
    return m_headBytes + m_keptWriter.plan(m_kept);
}

// The form of each cell on its own.
void FolderRecordWriter::shapeCells(std::span<const std::string_view> cells,
                                    std::string_view folder) {
    m_forms.assign(cells.size(), ShapedCell{});
    m_numbers.assign(cells.size(), 0);
    for (std::size_t col = 0; col < cells.size(); ++col) {
        const std::string_view cell = cells[col];
        ShapedCell& shaped = m_forms[col];
        if (cell.empty()) {
            shaped.form = CellForm::Empty;
        } else if (cell.size() == 1) {
            shaped.form = CellForm::Letter;
            shaped.letter = cell.front();
        } else if (!folder.empty() && cell == folder) {
            shaped.form = CellForm::Folder;
        } else if (!folder.empty() && folder.ends_with(cell)) {
            shaped.form = CellForm::FolderEnd;
            m_numbers[col] = folder.size() - cell.size();
        } else if (!folder.empty() && cell.starts_with(folder)) {
            shaped.form = CellForm::FolderThenKept;
        } else if (const auto stamp = packedStamp(cell)) {
            shaped.form = CellForm::Stamp;
            m_numbers[col] = *stamp;
        } else if (const auto kilobytes = packedKilobytes(cell)) {
            shaped.form = CellForm::Kilobytes;
            m_numbers[col] = *kilobytes;
        } else {
            shaped.form = CellForm::Kept;
        }
    }
    shareWithinRow(cells, folder.size());
}

// Cells told from another kept cell of the row: a path that is the folder text and another
// cell, an extension that is the end of another cell. A cell others build on stays kept.
void FolderRecordWriter::shareWithinRow(std::span<const std::string_view> cells,
                                        std::size_t folderSize) {
    const std::size_t count = cells.size();
    std::vector<bool> source(count, false);
    const auto findKept = [&](std::size_t col, auto matches) {
        for (std::size_t other = 0; other < count; ++other) {
            if (other != col && m_forms[other].form == CellForm::Kept && matches(cells[other])) {
                return other;
            }
        }
        return count;
    };
    const auto buildOn = [&](std::size_t col, CellForm form, std::size_t other) {
        m_forms[col].form = form;
        m_forms[col].source = static_cast<std::uint16_t>(other);
        source[other] = true;
    };
    for (std::size_t col = 0; col < count; ++col) {
        if (m_forms[col].form != CellForm::FolderThenKept) {
            continue;
        }
        const std::string_view rest = cells[col].substr(folderSize);
        const std::size_t other =
            findKept(col, [rest](std::string_view text) { return text == rest; });
        if (other != count) {
            buildOn(col, CellForm::FolderThen, other);
        }
    }
    for (std::size_t col = 0; col < count; ++col) {
        if (m_forms[col].form != CellForm::Kept || source[col]) {
            continue;
        }
        const std::string_view cell = cells[col];
        const std::size_t other = findKept(col, [cell](std::string_view text) {
            const std::size_t start = extensionStart(text);
            return start != std::string_view::npos && text.substr(start) == cell;
        });
        if (other != count) {
            buildOn(col, CellForm::Extension, other);
        }
    }
}

void FolderRecordWriter::write(char* out) const {
    out = varint::write(out, m_reference);
    out = varint::write(out, m_shape);
    if (m_shape != 0) {
        for (std::size_t col = 0; col < m_forms.size(); ++col) {
            out = writeNumber(m_forms[col].form, m_numbers[col], out);
        }
    }
    m_keptWriter.write(out);
}

namespace folderrecord {

std::uint64_t reference(const char* record) {
    std::uint64_t value = 0;
    varint::read(record, value);
    return value;
}

std::size_t size(const char* record, const RowShapes& shapes) {
    const Head head = headOf(record, shapes);
    return static_cast<std::size_t>(head.kept - record) + rowrecord::size(head.kept);
}

std::size_t cellCount(const char* record, const RowShapes& shapes) {
    const Head head = headOf(record, shapes);
    return head.shape == nullptr ? rowrecord::cellCount(head.kept) : head.shape->size();
}

std::string_view cell(const char* record, std::size_t col,
                      std::span<const std::string_view> folders, const RowShapes& shapes,
                      std::string& composed) {
    const Head head = headOf(record, shapes);
    if (head.shape == nullptr) {
        return rowrecord::cell(head.kept, col);
    }
    const RowShape& shape = *head.shape;
    if (col >= shape.size()) {
        return {};
    }
    std::uint64_t number = 0;
    const char* in = head.numbers;
    for (std::size_t before = 0; before <= col; ++before) {
        in = readNumber(shape[before].form, in, number);
    }
    const ShapedCell& shaped = shape[col];
    std::string_view text;
    if (keepsText(shaped.form)) {
        text = rowrecord::cell(head.kept, shaped.keptIndex);
    } else if (shaped.form == CellForm::FolderThen || shaped.form == CellForm::Extension) {
        text = rowrecord::cell(head.kept, shape[shaped.source].keptIndex);
    }
    return shapedText(shaped, number, text, folderOf(head, folders), composed);
}

void cells(const char* record, std::span<const std::string_view> folders, const RowShapes& shapes,
           std::vector<std::string_view>& out, std::vector<std::string>& composed) {
    const Head head = headOf(record, shapes);
    rowrecord::cells(head.kept, out);
    if (head.shape == nullptr) {
        return;
    }
    const RowShape& shape = *head.shape;
    out.resize(std::max(out.size(), shape.size()));
    if (composed.size() < shape.size()) {
        composed.resize(shape.size());
    }
    // The kept texts move from their order to their columns, each to a column at or after its
    // place, so the last goes first.
    for (std::size_t col = shape.size(); col-- > 0;) {
        if (keepsText(shape[col].form)) {
            out[col] = out[shape[col].keptIndex];
        }
    }
    const std::string_view folder = folderOf(head, folders);
    const char* in = head.numbers;
    for (std::size_t col = 0; col < shape.size(); ++col) {
        const ShapedCell& shaped = shape[col];
        std::uint64_t number = 0;
        in = readNumber(shaped.form, in, number);
        if (shaped.form != CellForm::Kept) {
            const bool builds =
                shaped.form == CellForm::FolderThen || shaped.form == CellForm::Extension;
            out[col] = shapedText(shaped, number, builds ? out[shaped.source] : out[col], folder,
                                  composed[col]);
        }
    }
    out.resize(shape.size());
}

std::size_t renumberedSize(const char* record, const RowShapes& shapes, std::uint64_t reference) {
    return size(record, shapes) - varint::sizeOf(folderrecord::reference(record)) +
           varint::sizeOf(reference);
}

void renumber(const char* record, const RowShapes& shapes, std::uint64_t reference, char* out) {
    const std::size_t oldBytes = varint::sizeOf(folderrecord::reference(record));
    out = varint::write(out, reference);
    std::memcpy(out, record + oldBytes, size(record, shapes) - oldBytes);
}

} // namespace folderrecord

} // namespace quiverel
