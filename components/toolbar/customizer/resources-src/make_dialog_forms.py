#!/usr/bin/env python3
"""Writes the layouts of the customizer's two dialogs, with the pictures of the customize dialog's
speed buttons drawn here (16 by 16, the up picture and the disabled one side by side; the separator
button has one picture), as resources/forms/TCustomizerForm.dfm and resources/forms/TCusBtnForm.dfm.

    python3 components/toolbar/customizer/resources-src/make_dialog_forms.py

A glyph's data is the size (4 bytes, little-endian) followed by a 24-bit bitmap file; fuchsia is the
transparent colour, as the bottom-left pixel of every picture. Standard library only.
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.normpath(os.path.join(HERE, "..", "..", "..", "..", "resources", "forms"))
BG=(255,0,255)
def bmp(pixels,w,h):
    row=(w*3+3)&~3
    data=b''
    for y in range(h-1,-1,-1):
        r=b''
        for x in range(w):
            c=pixels[y][x]; r+=bytes((c[2],c[1],c[0]))
        data+=r+b'\0'*(row-w*3)
    hdr=struct.pack('<2sIHHI',b'BM',54+len(data),0,0,54)
    info=struct.pack('<IiiHHIIiiII',40,w,h,1,24,0,len(data),3780,3780,0,0)
    return hdr+info+data
def canvas(): return [[BG]*16 for _ in range(16)]
def put(c,x,y,col):
    if 0<=x<16 and 0<=y<16: c[y][x]=col
def hline(c,x0,x1,y,col):
    for x in range(x0,x1+1): put(c,x,y,col)
def vline(c,x,y0,y1,col):
    for y in range(y0,y1+1): put(c,x,y,col)
NAVY=(0,0,128); GREEN=(0,128,0); RED=(192,0,0); BLACK=(0,0,0); ORANGE=(230,140,0); YEL=(255,220,80); GREY=(128,128,128)
def up_arrow(c,top,col):
    for i in range(5):
        hline(c,7-i,8+i,top+i,col)
    for y in range(top+5,top+9): hline(c,6,9,y,col)
def down_arrow(c,bottom,col):
    for i in range(5):
        hline(c,7-i,8+i,bottom-i,col)
    for y in range(bottom-8,bottom-4): hline(c,6,9,y,col)
def g_top():
    c=canvas(); hline(c,2,13,2,NAVY); hline(c,2,13,3,NAVY); up_arrow(c,5,NAVY); return c
def g_up():
    c=canvas(); up_arrow(c,3,NAVY); return c
def g_down():
    c=canvas(); down_arrow(c,12,NAVY); return c
def g_bottom():
    c=canvas(); down_arrow(c,10,NAVY); hline(c,2,13,12,NAVY); hline(c,2,13,13,NAVY); return c
def plus(c,cx,cy,col,r=4):
    for d in (0,1):
        hline(c,cx-r,cx+r+1,cy+d,col); vline(c,cx+d,cy-r,cy+r+1,col)
def g_add():
    c=canvas(); plus(c,7,7,GREEN,5); return c
def g_glow():
    c=canvas()
    for y in range(16):
        for x in range(16):
            dx=x-7.5; dy=y-7.5
            if dx*dx+dy*dy<=49: c[y][x]=ORANGE if dx*dx+dy*dy>30 else YEL
    plus(c,7,7,GREEN,3); return c
def g_sep():
    c=canvas()
    for y in range(2,14):
        put(c,7,y,GREY); put(c,8,y,(255,255,255))
    return c
def cross(c,col,off=0):
    for i in range(10):
        for d in (0,1):
            put(c,3+i+d,3+i+off,col); put(c,12-i+d,3+i+off,col)
def g_delete():
    c=canvas(); cross(c,RED); return c
def g_clear():
    c=canvas()
    for y in (2,5,8,11,14): hline(c,1,14,y,GREY)
    cross(c,RED); return c
def g_edit():
    c=canvas()
    for i in range(9):
        for d in range(3): put(c,4+i+d,11-i,ORANGE if d==1 else BLACK)
    put(c,3,13,BLACK); put(c,4,12,BLACK); put(c,3,12,BLACK)
    hline(c,1,14,15,NAVY)
    return c
def disabled(c):
    out=canvas()
    for y in range(16):
        for x in range(16):
            if c[y][x]!=BG and x+1<16 and y+1<16 and c[y+1][x+1]==BG: out[y+1][x+1]=(255,255,255)
    for y in range(16):
        for x in range(16):
            if c[y][x]!=BG: out[y][x]=(128,128,128)
    return out
def two(c):
    d=disabled(c)
    return [c[y]+d[y] for y in range(16)]
def glyph_data(pixels,w):
    b=bmp(pixels,w,16)
    blob=struct.pack('<I',len(b))+b
    hx=blob.hex().upper()
    lines=[hx[i:i+64] for i in range(0,len(hx),64)]
    return lines
def glyph_prop(indent,pixels,w):
    lines=glyph_data(pixels,w)
    s=indent+"Glyph.Data = {\n"
    for i,l in enumerate(lines):
        s+=indent+"  "+l+("}" if i==len(lines)-1 else "")+"\n"
    return s
def speed(name,top,g,hint=None,one=False):
    s=f"    object {name}: TSpeedButton\n"
    i="      "
    s+=f"{i}Left = 173\n{i}Top = {top}\n{i}Width = 23\n{i}Height = 22\n"
    if hint: s+=f"{i}Hint = '{hint}'\n"
    s+=f"{i}Flat = True\n"
    s+=glyph_prop(i,g if one else two(g),16 if one else 32)
    if not one: s+=f"{i}NumGlyphs = 2\n"
    s+=f"{i}ParentShowHint = False\n{i}ShowHint = True\n{i}OnClick = {name}Click\n    end\n"
    return s
buttons=[("TopButton",26,g_top(),None,False),("UpButton",48,g_up(),None,False),("DownButton",70,g_down(),None,False),
 ("BottomButton",92,g_bottom(),None,False),("AddButton",114,g_add(),None,False),("AddGlowButton",136,g_glow(),"Insert GlowButton",False),
 ("SeparatorButton",158,g_sep(),None,True),("DeleteButton",180,g_delete(),None,False),("ClearButton",202,g_clear(),None,False),("BtnEdit",224,g_edit(),None,False)]
out="""object CustomizerForm: TCustomizerForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu]
  BorderStyle = bsToolWindow
  Caption = 'Customizer'
  ClientHeight = 363
  ClientWidth = 387
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poDesigned
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  PixelsPerInch = 96
  TextHeight = 13
  object GroupBox1: TGroupBox
    Left = 9
    Top = 3
    Width = 369
    Height = 253
    TabOrder = 3
    object LblToolbarItems: TLabel
      Left = 9
      Top = 10
      Width = 67
      Height = 13
      Caption = 'Toolbar Items:'
    end
    object LblCommands: TLabel
      Left = 201
      Top = 10
      Width = 55
      Height = 13
      Caption = 'Commands:'
    end
"""
for b in buttons: out+=speed(*b)
out+="""    object LstBxToolBarItems: TListBox
      Left = 7
      Top = 26
      Width = 162
      Height = 219
      DragMode = dmAutomatic
      ItemHeight = 20
      Style = lbOwnerDrawFixed
      TabOrder = 0
      OnClick = LstBxToolBarItemsClick
      OnDblClick = LstBxToolBarItemsDblClick
      OnDragDrop = LstBxToolBarItemsDragDrop
      OnDragOver = LstBxToolBarItemsDragOver
      OnDrawItem = LstBxToolBarItemsDrawItem
      OnMouseUp = LstBxToolBarItemsMouseUp
    end
    object LstBxCommand: TListBox
      Left = 199
      Top = 26
      Width = 162
      Height = 193
      DragMode = dmAutomatic
      ItemHeight = 13
      TabOrder = 1
      OnClick = LstBxCommandClick
    end
    object CmBxIcon: TComboBox
      Left = 199
      Top = 223
      Width = 162
      Height = 22
      Style = csOwnerDrawFixed
      ItemHeight = 16
      TabOrder = 2
      OnDrawItem = CmBxIconDrawItem
    end
  end
  object GroupBox2: TGroupBox
    Left = 9
    Top = 258
    Width = 369
    Height = 65
    TabOrder = 2
    object LblCaption: TLabel
      Left = 7
      Top = 20
      Width = 36
      Height = 13
      Caption = 'Caption'
    end
    object LblGlphPos: TLabel
      Left = 200
      Top = 21
      Width = 67
      Height = 13
      Caption = 'Glyph Position'
    end
    object EdtCaption: TEdit
      Left = 64
      Top = 16
      Width = 103
      Height = 21
      TabOrder = 0
      OnChange = EdtCaptionChange
    end
    object CmBxGlphPos: TComboBox
      Left = 301
      Top = 16
      Width = 60
      Height = 21
      Style = csDropDownList
      TabOrder = 1
      Items.Strings = (
        'Left'
        'Top'
        'Right'
        'Bottom')
      OnChange = CmBxGlphPosChange
    end
    object ChkLargeIcon: TCheckBox
      Left = 7
      Top = 43
      Width = 162
      Height = 16
      Caption = 'Large Icon'
      TabOrder = 2
      OnClick = ChkLargeIconClick
    end
  end
  object BtnOk: TButton
    Left = 122
    Top = 333
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    TabOrder = 0
    OnClick = OkBitBtnClick
  end
  object BtnCancel: TButton
    Left = 197
    Top = 333
    Width = 75
    Height = 25
    Cancel = True
    Caption = '&Cancel'
    ModalResult = 2
    TabOrder = 1
  end
  object BtnReset: TButton
    Left = 303
    Top = 334
    Width = 75
    Height = 24
    Caption = '&Reset'
    ModalResult = 9
    TabOrder = 4
  end
end
"""
open(os.path.join(OUT,'TCustomizerForm.dfm'),'w').write(out)
open(os.path.join(OUT,'TCusBtnForm.dfm'),'w').write("""object CusBtnForm: TCusBtnForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu]
  BorderStyle = bsToolWindow
  Caption = 'Customize Button'
  ClientHeight = 140
  ClientWidth = 248
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poDesigned
  PixelsPerInch = 96
  TextHeight = 13
  object GroupBox1: TGroupBox
    Left = 8
    Top = 0
    Width = 233
    Height = 102
    TabOrder = 2
    object LblBtnCaption: TLabel
      Left = 9
      Top = 17
      Width = 36
      Height = 13
      Caption = 'Caption'
    end
    object LblBtnHint: TLabel
      Left = 26
      Top = 42
      Width = 19
      Height = 13
      Caption = 'Hint'
    end
    object LblGlyph: TLabel
      Left = 23
      Top = 67
      Width = 21
      Height = 13
      Caption = 'Icon'
    end
    object EdtBtnCaption: TEdit
      Left = 50
      Top = 14
      Width = 73
      Height = 21
      TabOrder = 0
    end
    object EdtBtnHint: TEdit
      Left = 50
      Top = 38
      Width = 73
      Height = 21
      TabOrder = 1
    end
    object CmBxGlyph: TComboBox
      Left = 50
      Top = 62
      Width = 74
      Height = 19
      Style = csOwnerDrawFixed
      ItemHeight = 13
      TabOrder = 2
      OnDrawItem = CmBxGlyphDrawItem
    end
    object ChkBtnShowCap: TCheckBox
      Left = 129
      Top = 17
      Width = 100
      Height = 17
      Caption = 'Show Captions'
      TabOrder = 3
    end
    object ChkBtnVis: TCheckBox
      Left = 129
      Top = 38
      Width = 99
      Height = 17
      Caption = 'Visible'
      TabOrder = 4
    end
  end
  object BtnOk: TButton
    Left = 49
    Top = 109
    Width = 75
    Height = 25
    Caption = '&OK'
    TabOrder = 0
    OnClick = OkBitBtnClick
  end
  object BtnCancel: TButton
    Left = 124
    Top = 109
    Width = 75
    Height = 25
    Caption = '&Cancel'
    ModalResult = 2
    TabOrder = 1
  end
end
""")
