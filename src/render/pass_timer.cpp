#include "render/pass_timer.h"

#include <GL/glew.h>

#include <chrono>

#include "render/graphics_context.h"

PassTimer::PassTimer(bool use_queries) : use_queries_(use_queries) {}

PassTimer::~PassTimer() {
    if (!queries_.empty()) glDeleteQueries(static_cast<GLsizei>(queries_.size()), queries_.data());
}

int PassTimer::stamp() {
    const int index = stamps_++;
    if (use_queries_) {
        if (index >= static_cast<int>(queries_.size())) {
            queries_.push_back(0);
            glGenQueries(1, &queries_.back());
        }
        glQueryCounter(queries_[index], GL_TIMESTAMP);
    } else {
        glFinish();
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        cpu_ms_.resize(stamps_);
        cpu_ms_[index] = std::chrono::duration<double, std::milli>(now).count();
    }
    return index;
}

void PassTimer::begin_pass(const std::string& name) {
    std::string full = name;
    for (auto it = open_.rbegin(); it != open_.rend(); ++it)
        if (!spans_[*it].group) {
            full = spans_[*it].name + "/" + name;
            break;
        }
    spans_.push_back({full, stamp(), -1, false});
    open_.push_back(static_cast<int>(spans_.size()) - 1);
}

void PassTimer::end_pass() {
    while (!open_.empty()) {
        Span& span = spans_[open_.back()];
        open_.pop_back();
        close(span);
        if (!span.group) return;
    }
}

void PassTimer::begin_group(const std::string& name) {
    if (open_.empty()) return;
    if (spans_[open_.back()].group) {
        close(spans_[open_.back()]);
        open_.pop_back();
    }
    if (open_.empty()) return;
    spans_.push_back({spans_[open_.back()].name + "/" + name, stamp(), -1, true});
    open_.push_back(static_cast<int>(spans_.size()) - 1);
}

PassTimer::FrameFigures PassTimer::end_frame() {
    while (!open_.empty()) end_pass();
    std::vector<double> ms(stamps_);
    for (int i = 0; i < stamps_; ++i) {
        if (use_queries_) {
            GLuint64 ns = 0;
            glGetQueryObjectui64v(queries_[i], GL_QUERY_RESULT, &ns);
            ms[i] = static_cast<double>(ns) / 1e6;
        } else {
            ms[i] = cpu_ms_[i];
        }
    }
    FrameFigures figures;
    for (const Span& span : spans_) {
        const double length = ms[span.end] - ms[span.start];
        auto it = figures.pass_ms.begin();
        while (it != figures.pass_ms.end() && it->first != span.name) ++it;
        if (it == figures.pass_ms.end())
            figures.pass_ms.emplace_back(span.name, length);
        else
            it->second += length;
    }
    figures.draw_calls = draw_calls_;
    figures.state_changes = state_changes_;
    spans_.clear();
    stamps_ = 0;
    draw_calls_ = state_changes_ = 0;
    return figures;
}

PassScope::PassScope(const GraphicsContext& context, const char* name) : timer_(context.pass_timer) {
    if (timer_) timer_->begin_pass(name);
}

PassScope::~PassScope() {
    if (timer_) timer_->end_pass();
}
