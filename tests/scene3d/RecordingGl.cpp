// A stand-in for the OpenGL library that records the calls the display-list code
// makes, so that compiling and drawing can be checked without a context.
#include "RecordingGl.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <map>

namespace lw::test {

GlLog& Gl() {
  static GlLog log;
  return log;
}

DrawnTriangle Canonical(DrawnTriangle t) {
  const auto first = std::min_element(t.corners.begin(), t.corners.end());
  std::rotate(t.corners.begin(), first, t.corners.end());
  return t;
}

}  // namespace lw::test

using lw::test::Gl;

namespace {

std::string Fixed(float v) {
  std::string s = std::to_string(v);
  while (s.size() > 1 && s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

void Log(const std::string& call) {
  Gl().calls.push_back(call);
}

std::string Name(GLenum value) {
  static const std::map<GLenum, std::string> names = {
      {GL_DEPTH_TEST, "DEPTH_TEST"},
      {GL_COLOR_MATERIAL, "COLOR_MATERIAL"},
      {GL_LIGHTING, "LIGHTING"},
      {GL_LIGHT0, "LIGHT0"},
      {GL_FLAT, "FLAT"},
      {GL_FRONT, "FRONT"},
      {GL_BACK, "BACK"},
      {GL_FRONT_AND_BACK, "FRONT_AND_BACK"},
      {GL_AMBIENT, "AMBIENT"},
      {GL_DIFFUSE, "DIFFUSE"},
      {GL_SPECULAR, "SPECULAR"},
      {GL_EMISSION, "EMISSION"},
      {GL_SHININESS, "SHININESS"},
      {GL_POSITION, "POSITION"},
      {GL_SPOT_DIRECTION, "SPOT_DIRECTION"},
      {GL_LIGHT_MODEL_TWO_SIDE, "LIGHT_MODEL_TWO_SIDE"},
      {GL_MODELVIEW, "MODELVIEW"},
      {GL_PROJECTION, "PROJECTION"},
      {GL_POINT, "POINT"},
      {GL_LINE, "LINE"},
      {GL_FILL, "FILL"},
  };
  auto it = names.find(value);
  return it == names.end() ? std::to_string(value) : it->second;
}

std::string Floats(const GLfloat* v, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += " " + Fixed(v[i]);
  return s;
}

// Vertices a, b, c of the arrays as a triangle; `provoking` gives normal and colour.
void Assemble(GLint a, GLint b, GLint c, GLint provoking) {
  lw::test::GlLog& gl = Gl();
  lw::test::DrawnTriangle t;
  const std::array<GLint, 3> order =
      gl.clockwiseFront ? std::array<GLint, 3>{a, c, b} : std::array<GLint, 3>{a, b, c};
  for (std::size_t k = 0; k < 3; ++k) {
    const auto v = static_cast<std::size_t>(order[k]);
    t.corners[k] = {gl.positions[3 * v], gl.positions[3 * v + 1], gl.positions[3 * v + 2]};
  }
  const auto p = static_cast<std::size_t>(provoking);
  t.normal = {gl.normals[3 * p], gl.normals[3 * p + 1], gl.normals[3 * p + 2]};
  t.colour = {gl.colours[3 * p], gl.colours[3 * p + 1], gl.colours[3 * p + 2]};
  gl.lists[gl.currentList].push_back(lw::test::Canonical(t));
}

}  // namespace

extern "C" {

// Drawing from arrays: the triangles are assembled as OpenGL does (a strip's odd
// triangles swap their first two vertices; the last vertex of each is provoking).
void glFrontFace(GLenum mode) {
  Gl().clockwiseFront = mode == GL_CW;
}
void glEnableClientState(GLenum) {}
void glDisableClientState(GLenum) {}
void glVertexPointer(GLint, GLenum, GLsizei, const void* pointer) {
  Gl().positions = static_cast<const float*>(pointer);
}
void glNormalPointer(GLenum, GLsizei, const void* pointer) {
  Gl().normals = static_cast<const float*>(pointer);
}
void glColorPointer(GLint, GLenum, GLsizei, const void* pointer) {
  Gl().colours = static_cast<const unsigned char*>(pointer);
}
void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  Log(mode == GL_TRIANGLES ? "DrawArrays triangles" : "DrawArrays strip");
  for (GLint i = first; i + 2 < first + count; i += mode == GL_TRIANGLES ? 3 : 1) {
    const bool odd = mode != GL_TRIANGLES && (i - first) % 2 == 1;
    if (odd) {
      Assemble(i + 1, i, i + 2, i + 2);
    } else {
      Assemble(i, i + 1, i + 2, i + 2);
    }
  }
}

GLuint glGenLists(GLsizei range) {
  Log("GenLists " + std::to_string(range));
  const GLuint base = Gl().nextList;
  Gl().nextList += static_cast<GLuint>(range);
  return base;
}
void glDeleteLists(GLuint list, GLsizei range) {
  Log("DeleteLists " + std::to_string(list) + " " + std::to_string(range));
}
void glNewList(GLuint list, GLenum) {
  Gl().currentList = list;
  Log("NewList " + std::to_string(list));
}
void glEndList() {
  Log("EndList");
}
void glCallList(GLuint list) {
  Log("CallList " + std::to_string(list));
}
void glBegin(GLenum mode) {
  Log(mode == GL_TRIANGLES ? "Begin triangles" : "Begin other");
}
void glEnd() {
  Log("End");
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  Log("Vertex " + Fixed(x) + " " + Fixed(y) + " " + Fixed(z));
}
void glNormal3fv(const GLfloat* v) {
  Log("Normal " + Fixed(v[0]) + " " + Fixed(v[1]) + " " + Fixed(v[2]));
}
void glColor3ubv(const GLubyte* v) {
  Log("Colour " + std::to_string(v[0]) + " " + std::to_string(v[1]) + " " + std::to_string(v[2]));
}
void glPushMatrix() {
  Log("Push");
}
void glPopMatrix() {
  Log("Pop");
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  Log("Translate " + Fixed(x) + " " + Fixed(y) + " " + Fixed(z));
}
void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  Log("Rotate " + Fixed(angle) + " " + Fixed(x) + " " + Fixed(y) + " " + Fixed(z));
}

// The fixed-function set-up and the frame of the view.
void glEnable(GLenum cap) {
  Log("Enable " + Name(cap));
}
void glShadeModel(GLenum mode) {
  Log("ShadeModel " + Name(mode));
}
void glMaterialfv(GLenum face, GLenum name, const GLfloat* v) {
  Log("Material " + Name(face) + " " + Name(name) + Floats(v, 4));
}
void glMaterialf(GLenum face, GLenum name, GLfloat v) {
  Log("Material " + Name(face) + " " + Name(name) + " " + Fixed(v));
}
void glLightModeli(GLenum name, GLint v) {
  Log("LightModel " + Name(name) + " " + std::to_string(v));
}
void glLightfv(GLenum light, GLenum name, const GLfloat* v) {
  Log("Light " + Name(light) + " " + Name(name) + Floats(v, name == GL_SPOT_DIRECTION ? 3 : 4));
}
void glMatrixMode(GLenum mode) {
  Log("MatrixMode " + Name(mode));
}
void glLoadIdentity() {
  Log("LoadIdentity");
}
void glPolygonMode(GLenum face, GLenum mode) {
  Log("PolygonMode " + Name(face) + " " + Name(mode));
}
void glClear(GLbitfield mask) {
  Log(mask == (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT) ? "Clear colour depth" : "Clear other");
}
void glFinish() {
  Log("Finish");
}
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
  Log("Viewport " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(w) + " " +
      std::to_string(h));
}
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  Log("Perspective " + Fixed(static_cast<float>(fovy)) + " " + Fixed(static_cast<float>(aspect)) +
      " " + Fixed(static_cast<float>(zNear)) + " " + Fixed(static_cast<float>(zFar)));
}

}  // extern "C"
