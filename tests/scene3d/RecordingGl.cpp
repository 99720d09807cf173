// A stand-in for the OpenGL library that records the calls the display-list code
// makes, so that compiling and drawing can be checked without a context.
#include "RecordingGl.h"

#include <GL/gl.h>

namespace lw::test {

GlLog& Gl() {
  static GlLog log;
  return log;
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

}  // namespace

extern "C" {

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

}  // extern "C"
