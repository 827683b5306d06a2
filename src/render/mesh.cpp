#include "render/mesh.h"

#include <GL/glew.h>
#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>

#include "core/file_io.h"
#include "core/random.h"

namespace {

// The reader walks the text the way the show's stream reader did (words, numbers that skip any
// whitespace before them, literal '/' that must follow at once), but over memory and with
// from_chars, which is what makes a 60 MB mesh load in well under a second.
bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// A skipped line is read like a 256-byte line buffer does: at most 255 characters, newline
// included, so the tail of an overlong line is read as statements.
constexpr int line_buffer = 256;

struct Cursor {
    const char* p;
    const char* end;

    bool at_end() const { return p >= end; }
    void skip_space() {
        while (p < end && is_space(*p)) ++p;
    }
    std::string_view word() {
        skip_space();
        const char* start = p;
        while (p < end && !is_space(*p)) ++p;
        return {start, static_cast<std::size_t>(p - start)};
    }
    std::string_view rest_of_line() {
        const char* start = p;
        int taken = 0;
        while (p < end && taken < line_buffer - 1) {
            ++taken;
            if (*p++ == '\n') break;
        }
        return {start, static_cast<std::size_t>(p - start)};
    }
    bool match(char c) {
        if (p < end && *p == c) {
            ++p;
            return true;
        }
        return false;
    }
    // "%d": optional sign and at least one digit; huge values saturate (they are out of range as
    // indices anyway).
    bool read_int(long long& out) {
        skip_space();
        const char* q = p;
        bool negative = false;
        if (q < end && (*q == '+' || *q == '-')) negative = *q++ == '-';
        const char* digits = q;
        long long value = 0;
        while (q < end && *q >= '0' && *q <= '9') {
            if (value < (1LL << 40)) value = value * 10 + (*q - '0');
            ++q;
        }
        if (q == digits) return false;
        p = q;
        out = negative ? -value : value;
        return true;
    }
    // "%f": decimal or inf/nan with an optional sign; out-of-range values become inf or 0.
    bool read_float(float& out) {
        skip_space();
        if (fast_decimal(out)) return true;
        const char* q = p;
        if (q < end && *q == '+' && q + 1 < end && *(q + 1) != '-') ++q;
        float value = 0.0f;
        auto [next, error] = std::from_chars(q, end, value);
        if (error == std::errc::invalid_argument) return false;
        if (error == std::errc::result_out_of_range) {
            const std::string digits(q, next);
            value = std::strtof(digits.c_str(), nullptr);
        }
        p = next;
        out = value;
        return true;
    }

    // Plain decimals ("-12.345678", the whole of a typical mesh file) without from_chars: the
    // digits as an integer, one correctly rounded division in double precision, then rounding to
    // float. That second rounding can only go wrong when the double lands exactly halfway between
    // two floats, so that case, exponents, long digit strings and anything unusual are left to
    // from_chars, and the result is always the correctly rounded float.
    bool fast_decimal(float& out) {
        static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                                            1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
        const char* q = p;
        const bool negative = q < end && *q == '-';
        if (q < end && (*q == '-' || *q == '+')) ++q;
        uint64_t mantissa = 0;
        int digits = 0, fraction = 0;
        while (q < end && *q >= '0' && *q <= '9') {
            mantissa = mantissa * 10 + uint64_t(*q++ - '0');
            ++digits;
        }
        if (q < end && *q == '.') {
            ++q;
            while (q < end && *q >= '0' && *q <= '9') {
                mantissa = mantissa * 10 + uint64_t(*q++ - '0');
                ++digits;
                ++fraction;
            }
        }
        if (digits == 0 || digits > 15) return false;
        if (q < end && (*q == 'e' || *q == 'E' || *q == 'x' || *q == 'X' || *q == 'p' || *q == 'P'))
            return false;
        const double value = static_cast<double>(mantissa) / powers[fraction];
        uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        if ((bits & 0x1FFFFFFFu) == 0x10000000u) return false;  // exactly between two floats
        const float f = static_cast<float>(value);
        out = negative ? -f : f;
        p = q;
        return true;
    }
};

enum class FaceForm { position, position_texcoord, position_texcoord_normal, position_normal };

struct Corner {
    long long position = 0, texcoord = 0, normal = 0;
};

// Reads one corner in the face's form; true only when every number of the form was read.
bool read_corner(Cursor& c, FaceForm form, Corner& corner) {
    switch (form) {
        case FaceForm::position:
            return c.read_int(corner.position);
        case FaceForm::position_texcoord:
            return c.read_int(corner.position) && c.match('/') && c.read_int(corner.texcoord);
        case FaceForm::position_texcoord_normal:
            return c.read_int(corner.position) && c.match('/') && c.read_int(corner.texcoord) &&
                   c.match('/') && c.read_int(corner.normal);
        case FaceForm::position_normal:
            return c.read_int(corner.position) && c.match('/') && c.match('/') && c.read_int(corner.normal);
    }
    return false;
}

FaceForm form_of(std::string_view first) {
    if (first.find("//") != std::string_view::npos) return FaceForm::position_normal;
    Corner scratch;
    Cursor c{first.data(), first.data() + first.size()};
    if (read_corner(c, FaceForm::position_texcoord_normal, scratch))
        return FaceForm::position_texcoord_normal;
    c = Cursor{first.data(), first.data() + first.size()};
    if (read_corner(c, FaceForm::position_texcoord, scratch)) return FaceForm::position_texcoord;
    return FaceForm::position;
}

// A 1-based OBJ index as a raw element index, or -1 when it names nothing read so far. A
// negative index counts back from the latest element of its kind: -1 is the last one read.
int resolve_index(long long n, int count) {
    long long index = -1;
    if (n > 0)
        index = n - 1;
    else if (n < 0)
        index = n + count;
    return index >= 0 && index < count ? static_cast<int>(index) : -1;
}

uint32_t float_bits(float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

// Unique vertices keyed by raw position and the bytes of texture coordinate and normal; the
// remaining 60-byte fields are the position's own or zero, so this is the full 60-byte equality.
//
// Most positions only ever make one unique vertex, so each position first keeps its latest
// vertex in a direct slot; the hash table holds the vertices of positions that have made two or
// more (both are entered when the second appears). A lookup therefore touches the hash table
// only at seams, where a file gives one position several texture coordinates or normals, and the
// common case stays in memory the reader has just used.
class VertexTable {
public:
    explicit VertexTable(std::size_t expected) {
        std::size_t capacity = 1024;
        while (capacity < expected / 4) capacity *= 2;
        slots_.assign(capacity, Slot{});
    }

    uint32_t find_or_add(Mesh& mesh, uint32_t position, const float attributes[5]) {
        if (position >= recent_.size()) {
            const std::size_t size = std::max<std::size_t>(position + 1, recent_.size() * 2);
            recent_.resize(size, kNone);
            hashed_.resize(size, 0);
        }
        const uint32_t last = recent_[position];
        if (last == kNone) return recent_[position] = add(mesh, position, attributes);
        if (std::memcmp(mesh.vertices[last].texcoord, attributes, 20) == 0) return last;
        if (!hashed_[position]) {
            hashed_[position] = 1;
            insert(mesh, last);
        } else if (const uint32_t found = find(mesh, position, attributes); found != kNone) {
            return recent_[position] = found;
        }
        const uint32_t index = add(mesh, position, attributes);
        insert(mesh, index);
        return recent_[position] = index;
    }

private:
    static constexpr uint32_t kNone = 0xFFFFFFFFu;
    struct Slot {
        uint32_t vertex = kNone;
        uint32_t tag = 0;  // high hash bits: most mismatches are settled without the vertex
    };

    static uint32_t add(Mesh& mesh, uint32_t position, const float attributes[5]) {
        MeshVertex vertex{};
        std::memcpy(vertex.position, &mesh.raw_positions[3 * std::size_t(position)], 12);
        std::memcpy(vertex.texcoord, attributes, 20);
        mesh.vertices.push_back(vertex);
        mesh.vertex_position.push_back(position);
        return static_cast<uint32_t>(mesh.vertices.size() - 1);
    }

    uint32_t find(const Mesh& mesh, uint32_t position, const float attributes[5]) const {
        const std::size_t mask = slots_.size() - 1;
        const uint64_t h = hash(position, attributes);
        const uint32_t tag = static_cast<uint32_t>(h >> 32);
        for (std::size_t at = h & mask;; at = (at + 1) & mask) {
            const Slot& slot = slots_[at];
            if (slot.vertex == kNone) return kNone;
            if (slot.tag == tag && mesh.vertex_position[slot.vertex] == position &&
                std::memcmp(mesh.vertices[slot.vertex].texcoord, attributes, 20) == 0)
                return slot.vertex;
        }
    }

    void insert(const Mesh& mesh, uint32_t index) {
        if ((++entries_) * 2 > slots_.size()) grow(mesh);
        place(slots_, mesh, index);
    }

    static void place(std::vector<Slot>& slots, const Mesh& mesh, uint32_t index) {
        const std::size_t mask = slots.size() - 1;
        const uint64_t h = hash(mesh.vertex_position[index], mesh.vertices[index].texcoord);
        std::size_t at = h & mask;
        while (slots[at].vertex != kNone) at = (at + 1) & mask;
        slots[at] = Slot{index, static_cast<uint32_t>(h >> 32)};
    }

    static uint64_t hash(uint32_t position, const float attributes[5]) {
        uint64_t h = (position + 1) * 0x9E3779B97F4A7C15ull;
        for (int i = 0; i < 5; ++i) h = (h ^ float_bits(attributes[i])) * 0xFF51AFD7ED558CCDull;
        return h ^ (h >> 29);
    }

    void grow(const Mesh& mesh) {
        std::vector<Slot> bigger(slots_.size() * 2);
        for (const Slot& slot : slots_)
            if (slot.vertex != kNone) place(bigger, mesh, slot.vertex);
        slots_.swap(bigger);
    }

    std::vector<Slot> slots_;
    std::vector<uint32_t> recent_;  // per raw position: its latest unique vertex
    std::vector<uint8_t> hashed_;   // per raw position: its vertices are in the hash table
    std::size_t entries_ = 0;
};

constexpr MeshMaterial default_material() {
    MeshMaterial m;
    m.ambient[0] = m.ambient[1] = m.ambient[2] = 0.2f;
    m.ambient[3] = 1.0f;
    m.diffuse[0] = m.diffuse[1] = m.diffuse[2] = 0.8f;
    m.diffuse[3] = 1.0f;
    m.specular[3] = 1.0f;
    m.sort_key = 1.0f;
    m.name = "default";
    return m;
}

}  // namespace

namespace {

// The whole file in one allocation and one read: meshes run to tens of megabytes, and growing
// a buffer chunk by chunk would copy them several times over. Anything but a regular file
// (a directory, a pipe) goes through the ordinary chunked reader, which refuses directories.
std::optional<std::string> read_mesh_file(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return read_file(path);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return std::nullopt;
    return bytes;
}

}  // namespace

bool Mesh::load(const std::string& file_name, bool recompute_normals) {
    const std::optional<std::string> text = read_mesh_file(alternate_file ? file_name + "t" : file_name);
    if (!text) return false;
    loaded = true;
    std::size_t cut = file_name.find_last_of('\\');
    if (cut == std::string::npos) cut = file_name.find_last_of('/');
    directory = cut == std::string::npos ? std::string() : file_name.substr(0, cut + 1);
    read(*text, recompute_normals);
    return true;
}

void Mesh::read(std::string_view text, bool recompute_normals) {
    object_boundaries.clear();
    materials.clear();
    material_index.clear();
    vertices.clear();
    vertex_position.clear();
    indices.clear();
    triangle_materials.clear();
    raw_positions.clear();
    raw_texcoords.clear();
    raw_normals.clear();
    // A rough guess from the size keeps the vectors from regrowing on large files.
    const std::size_t guess = text.size() / 48;
    raw_positions.reserve(guess);
    raw_texcoords.reserve(guess);
    raw_normals.reserve(guess);
    indices.reserve(guess * 2);
    vertices.reserve(guess / 3);
    vertex_position.reserve(guess / 3);
    VertexTable table(guess / 3);

    seed_random(123456);
    int positions = 0, texcoords = 0, normals = 0;
    int current_material = 0;
    std::vector<Corner> corners;
    std::vector<int> corner_vertex;

    // A corner's unique vertex, made on first use so that vertices appear in the order the
    // triangles reach them.
    auto unique_vertex = [&](std::size_t k, FaceForm form) -> uint32_t {
        if (corner_vertex[k] >= 0) return static_cast<uint32_t>(corner_vertex[k]);
        const Corner& corner = corners[k];
        float attributes[5] = {0, 0, 0, 0, 0};
        if (form == FaceForm::position_texcoord || form == FaceForm::position_texcoord_normal)
            std::memcpy(attributes, &raw_texcoords[2 * std::size_t(corner.texcoord)], 8);
        if (form == FaceForm::position_normal || form == FaceForm::position_texcoord_normal)
            std::memcpy(attributes + 2, &raw_normals[3 * std::size_t(corner.normal)], 12);
        const uint32_t index = table.find_or_add(*this, static_cast<uint32_t>(corner.position), attributes);
        corner_vertex[k] = static_cast<int>(index);
        return index;
    };
    // Resolves a corner's indices in place; false if any of them names nothing read so far.
    auto resolve = [&](Corner& corner, FaceForm form) {
        corner.position = resolve_index(corner.position, positions);
        bool valid = corner.position >= 0;
        if (form == FaceForm::position_texcoord || form == FaceForm::position_texcoord_normal) {
            corner.texcoord = resolve_index(corner.texcoord, texcoords);
            valid = valid && corner.texcoord >= 0;
        }
        if (form == FaceForm::position_normal || form == FaceForm::position_texcoord_normal) {
            corner.normal = resolve_index(corner.normal, normals);
            valid = valid && corner.normal >= 0;
        }
        return valid;
    };

    Cursor c{text.data(), text.data() + text.size()};
    while (true) {
        const std::string_view word = c.word();
        if (word.empty()) break;
        switch (word[0]) {
            case 'v': {
                const char kind = word.size() > 1 ? word[1] : '\0';
                if (kind == '\0') {
                    float xyz[3] = {0, 0, 0};
                    for (float& f : xyz)
                        if (!c.read_float(f)) break;
                    if (alternate_file && random_int() % 2 == 0)
                        for (float& f : xyz) f = -f;
                    raw_positions.insert(raw_positions.end(), xyz, xyz + 3);
                    ++positions;
                } else if (kind == 'n') {
                    float xyz[3] = {0, 0, 0};
                    for (float& f : xyz)
                        if (!c.read_float(f)) break;
                    raw_normals.insert(raw_normals.end(), xyz, xyz + 3);
                    ++normals;
                } else if (kind == 't') {
                    float uv[2] = {0, 0};
                    for (float& f : uv)
                        if (!c.read_float(f)) break;
                    raw_texcoords.insert(raw_texcoords.end(), uv, uv + 2);
                    ++texcoords;
                } else {
                    c.rest_of_line();
                }
                break;
            }
            case 'f': {
                const std::string_view first = c.word();
                const FaceForm form = form_of(first);
                corners.clear();
                corner_vertex.clear();
                Corner corner;
                Cursor first_cursor{first.data(), first.data() + first.size()};
                if (first.empty() || !read_corner(first_cursor, form, corner)) break;
                // Each corner is checked as it arrives; a triangle is kept only if its three
                // corners all name elements that exist.
                bool first_valid = resolve(corner, form);
                corners.push_back(corner);
                corner_vertex.push_back(-1);
                bool previous_valid = false;
                for (std::size_t k = 1;; ++k) {
                    if (!read_corner(c, form, corner)) break;
                    const bool this_valid = resolve(corner, form);
                    corners.push_back(corner);
                    corner_vertex.push_back(-1);
                    if (k >= 2 && first_valid && previous_valid && this_valid) {
                        indices.push_back(unique_vertex(0, form));
                        indices.push_back(unique_vertex(k - 1, form));
                        indices.push_back(unique_vertex(k, form));
                        triangle_materials.push_back(current_material);
                    }
                    previous_valid = this_valid;
                }
                break;
            }
            case 'o':
                object_boundaries.push_back(static_cast<int>(triangle_materials.size()));
                c.word();
                break;
            case 'u': {
                const std::string_view rest = c.rest_of_line();
                Cursor line{rest.data(), rest.data() + rest.size()};
                // Library materials carry no names, so only "default" can ever be found; every
                // other name selects material 0 as well.
                const auto found = material_index.find(std::string(line.word()));
                current_material = found == material_index.end() ? 0 : found->second;
                break;
            }
            case 'm':
                c.rest_of_line();
                materials.emplace_back();
                break;
            default:
                c.rest_of_line();
                break;
        }
    }
    triangle_count = static_cast<int>(triangle_materials.size());
    object_boundaries.push_back(triangle_count);

    position_count = positions;
    texcoord_count = texcoords;
    normal_count = normals;
    has_positions = positions > 0;
    has_texcoords = texcoords > 0;
    has_normals = normals > 0;
    if (materials.empty()) {
        materials.push_back(default_material());
        material_index["default"] = 0;
    }
    material_count = static_cast<int>(materials.size());

    build_batches();
    build_bbox();
    if (recompute_normals || !has_normals) compute_normals();
}

void Mesh::build_batches() {
    batches.clear();
    for (int t = 0; t < triangle_count; ++t) {
        if (t == 0 || triangle_materials[t] != triangle_materials[t - 1])
            batches.push_back({3 * t, 0, triangle_materials[t]});
        ++batches.back().triangle_count;
    }
    std::stable_sort(batches.begin(), batches.end(), [&](const MeshBatch& a, const MeshBatch& b) {
        return materials[a.material].sort_key > materials[b.material].sort_key;
    });
    batch_count = static_cast<int>(batches.size());
}

void Mesh::build_bbox() {
    for (int axis = 0; axis < 3; ++axis) {
        bbox_min[axis] = std::numeric_limits<float>::max();
        bbox_max[axis] = std::numeric_limits<float>::lowest();
    }
    for (const MeshVertex& v : vertices)
        for (int axis = 0; axis < 3; ++axis) {
            bbox_min[axis] = std::min(bbox_min[axis], v.position[axis]);
            bbox_max[axis] = std::max(bbox_max[axis], v.position[axis]);
        }
    object_boxes.assign(object_boundaries.empty() ? 0 : object_boundaries.size() - 1, Box{});
    for (size_t k = 0; k < object_boxes.size(); ++k)
        for (int i = 3 * object_boundaries[k]; i < 3 * object_boundaries[k + 1]; ++i) {
            const float* p = vertices[indices[i]].position;
            object_boxes[k].take({p[0], p[1], p[2]});
        }
    bbox_largest = 0.0f;
    for (int axis = 0; axis < 3; ++axis) {
        bbox_centre[axis] = (bbox_min[axis] + bbox_max[axis]) / 2.0f;
        bbox_extent[axis] = bbox_max[axis] - bbox_min[axis];
        bbox_largest = axis == 0 ? bbox_extent[0] : std::max(bbox_largest, bbox_extent[axis]);
    }
}

Box Mesh::object_box(int object) const {
    if (object < 0 || object >= static_cast<int>(object_boxes.size())) return {};
    return object_boxes[object];
}

float Mesh::reach() const {
    float farthest = 0.0f;
    for (int corner = 0; corner < 8; ++corner) {
        float squared = 0.0f;
        for (int axis = 0; axis < 3; ++axis) {
            const float c = corner & (1 << axis) ? bbox_max[axis] : bbox_min[axis];
            squared += c * c;
        }
        farthest = std::max(farthest, squared);
    }
    return std::sqrt(farthest);
}

void Mesh::compute_normals() {
    for (MeshVertex& v : vertices) v.normal[0] = v.normal[1] = v.normal[2] = 0.0f;
    for (std::size_t t = 0; t + 2 < indices.size(); t += 3) {
        const float* a = vertices[indices[t]].position;
        const float* b = vertices[indices[t + 1]].position;
        const float* c = vertices[indices[t + 2]].position;
        const float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const float w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const float n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
        for (int corner = 0; corner < 3; ++corner) {
            float* normal = vertices[indices[t + corner]].normal;
            for (int axis = 0; axis < 3; ++axis) normal[axis] += n[axis];
        }
    }
    for (MeshVertex& v : vertices) {
        const float length =
            std::sqrt(v.normal[0] * v.normal[0] + v.normal[1] * v.normal[1] + v.normal[2] * v.normal[2]);
        // A vertex only on degenerate triangles keeps the zero normal instead of 0/0.
        if (length > 0.0f && std::isfinite(length))
            for (float& component : v.normal) component /= length;
    }
    has_normals = true;
}

void Mesh::draw(int object) const {
    if (!loaded) return;
    const int entries = static_cast<int>(object_boundaries.size());
    // Object k spans boundaries k and k + 1, so the last boundary starts no object.
    int first = 0, last = entries - 2;
    if (object >= 0) {
        if (object >= entries - 1) return;
        first = last = object;
    }
    if (last < first || vertices.empty()) return;

    const char* base = reinterpret_cast<const char*>(vertices.data());
    constexpr GLsizei stride = sizeof(MeshVertex);
    if (has_positions) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, stride, base + offsetof(MeshVertex, position));
    }
    if (has_texcoords) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, stride, base + offsetof(MeshVertex, texcoord));
    }
    if (has_normals) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, stride, base + offsetof(MeshVertex, normal));
    }
    for (int k = first; k <= last; ++k) {
        const int count = 3 * (object_boundaries[k + 1] - object_boundaries[k]);
        if (count <= 0) continue;
        glDrawElementsInstanced(GL_TRIANGLES, count, GL_UNSIGNED_INT,
                                indices.data() + 3 * std::size_t(object_boundaries[k]), 1);
    }
    if (has_positions) glDisableClientState(GL_VERTEX_ARRAY);
    if (has_texcoords) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    if (has_normals) glDisableClientState(GL_NORMAL_ARRAY);
}
