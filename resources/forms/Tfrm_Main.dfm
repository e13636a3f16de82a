object frm_Main: Tfrm_Main
  Left = 0
  Top = 0
  Caption = 'Kalvenor'
  ClientHeight = 564
  ClientWidth = 884
  Color = clBtnFace
  Constraints.MinHeight = 550
  Constraints.MinWidth = 750
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  Menu = AdvMainMenu
  OldCreateOrder = False
  Position = poDefaultPosOnly
  OnCloseQuery = FormCloseQuery
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  object AdvDockPanel_Left: TAdvDockPanel
    Left = 0
    Top = 0
    Width = 140
    Height = 545
    Align = daLeft
    MinimumSize = 3
    LockHeight = False
    Persistence.Location = plRegistry
    Persistence.Enabled = False
    ToolBarStyler = AdvToolBarOfficeStyler
    UseRunTimeHeight = False
    Version = '3.0.9.1'
    object AdvToolBar_Left: TAdvToolBar
      Left = 3
      Top = 1
      Width = 130
      Height = 543
      AllowFloating = False
      Caption = 'Untitled'
      CaptionFont.Charset = DEFAULT_CHARSET
      CaptionFont.Color = clWindowText
      CaptionFont.Height = -11
      CaptionFont.Name = 'Tahoma'
      CaptionFont.Style = []
      CompactImageIndex = -1
      FullSize = True
      TextAutoOptionMenu = 'Add or Remove Buttons'
      TextOptionMenu = 'Options'
      ToolBarStyler = AdvToolBarOfficeStyler
      ParentOptionPicture = True
      ToolBarIndex = -1
      object AdvToolBarContainer: TAdvToolBarContainer
        Left = 2
        Top = 2
        Width = 120
        Height = 49
        Caption = 'Quick offer search'
        Line3D = True
        object edt_Search: TEdit
          Left = 8
          Top = 20
          Width = 103
          Height = 21
          TabOrder = 0
          Text = 'search...'
          OnEnter = edt_SearchEnter
          OnExit = edt_SearchExit
          OnKeyDown = edt_SearchKeyDown
        end
      end
      object AdvToolBarSeparator6: TAdvToolBarSeparator
        Left = 2
        Top = 51
        Width = 120
        Height = 10
      end
      object AdvGlowButton_Catalog: TAdvGlowButton
        Left = 2
        Top = 61
        Width = 120
        Height = 24
        Caption = 'Catalog'
        FocusType = ftHot
        GroupIndex = 1
        Layout = blGlyphLeftAdjusted
        NotesFont.Charset = DEFAULT_CHARSET
        NotesFont.Color = clWindowText
        NotesFont.Height = -11
        NotesFont.Name = 'Tahoma'
        NotesFont.Style = []
        TabOrder = 1
        OnClick = AdvGlowButton_CatalogClick
      end
      object AdvToolBarSeparator1: TAdvToolBarSeparator
        Left = 2
        Top = 85
        Width = 120
        Height = 10
      end
      object AdvGlowButton_Overview: TAdvGlowButton
        Left = 2
        Top = 95
        Width = 120
        Height = 43
        Caption = 'Overview'
        FocusType = ftHot
        GroupIndex = 1
        Layout = blGlyphLeftAdjusted
        NotesFont.Charset = DEFAULT_CHARSET
        NotesFont.Color = clWindowText
        NotesFont.Height = -11
        NotesFont.Name = 'Tahoma'
        NotesFont.Style = []
        TabOrder = 2
        OnClick = AdvGlowButton_OverviewClick
        Picture.Data = {
          89504E470D0A1A0A0000000D494844520000002100000021080600000057E4C2
          6F000000E64944415478DA63601805A3808A40CDADC20088EF83E88174C07B20
          FE0FA50D06D201FFE9EE1064079846F6FECF9B77034CD3CD21E80E285E72FF7F
          C5AA67609A2E0EC1E50018A6B943800626C0E21E9B037038048413A8EE00D79C
          85381D80EC10903AAA3904DD01F82C47C7547108250EA08A43A8E1008A1C82EC
          006D9FFAFF7AFE4DFFD10A259230483FC81C8AA206A4B16ACACEFF671FFD2219
          83F481F45323778C3A02AF235EAEF1FFFF6181061C83F8747704B2036078D411
          A38E1875C4803822207706D840647C6B9E338A03407C7435207DD472C4794A2A
          3090FED11EDA2820150000349C1113328117A60000000049454E44AE426082
          }
      end
      object AdvToolBarSeparator2: TAdvToolBarSeparator
        Left = 2
        Top = 138
        Width = 120
        Height = 10
      end
      object AdvGlowButton_Supplies: TAdvGlowButton
        Left = 2
        Top = 148
        Width = 120
        Height = 43
        Caption = 'My Supplies'
        FocusType = ftHot
        GroupIndex = 1
        Layout = blGlyphLeftAdjusted
        NotesFont.Charset = DEFAULT_CHARSET
        NotesFont.Color = clWindowText
        NotesFont.Height = -11
        NotesFont.Name = 'Tahoma'
        NotesFont.Style = []
        TabOrder = 3
        OnClick = AdvGlowButton_SuppliesClick
        Picture.Data = {
          89504E470D0A1A0A0000000D494844520000002100000021080600000057E4C2
          6F000001F94944415478DA63601805A3808A40CDADC207886F83E881B0DC41D3
          B3FA3090FEAFEF5FFF174443F90EF4B0DC0088F7832CB58A68FF3B73E3C5FF67
          1FFDFA0FA2417C903854DE8016962B00F17C902596E16DBFFB569C045B8E8E41
          E22079A86340EA15E866394D1C03D42400B31C14E75553761265393A06E983A5
          19A87902C43AE0A0BA7BE56F5DDFBADF20430EDFF84496036018A41F640EC83C
          90B920F38971C43335F74A90A63FD474848E4FDD1F68883C23C611FB2DE326FD
          77CD59F81F1C1D7E9445879E1F243ACC62A6FD3708E906E71EA21C61153FE57F
          C5AA67FFF3E6DD803BC63CBCED0F2909D33CACED0FCC72EFAA7DFF039A4EFC37
          08ED21DD11304CAC6370590EC31439028633A7030B25A01C38CBA2155696D0C2
          0A649147F94E14CBA9EA08184E9978EABF55DCA4DFD0E2FA1FD8F290EEDF6EC5
          5BB05A4E1347C07050D52670A8D8A42DC26B394D1D010A1190230885C0A82386
          BC23AE1B04B5FD2F5E729FAA8EF0AD3BFC5FDBAF09A4FE3A318E9803AC687E68
          79D7FEF6AF588FD731C4380264B975CA82FF1A9E35A00AEC07C87C92AB726D9F
          BABF20C790E308A8E5A457E5B81A35FA812DBF235BF612E508879C55FFB57D1B
          69D7C242760CBA23686239BE86AE4150EBDF80AA8D9012337521C872DA3674B1
          35F9353CAA0E432D056375F72AFA34F9B138261C883F81E8D1AEE0B0010031FE
          10CA0E7ED98A0000000049454E44AE426082
          }
      end
      object AdvGlowButton_Demands: TAdvGlowButton
        Left = 2
        Top = 191
        Width = 120
        Height = 43
        Caption = 'My Demands'
        FocusType = ftHot
        GroupIndex = 1
        Layout = blGlyphLeftAdjusted
        NotesFont.Charset = DEFAULT_CHARSET
        NotesFont.Color = clWindowText
        NotesFont.Height = -11
        NotesFont.Name = 'Tahoma'
        NotesFont.Style = []
        TabOrder = 4
        OnClick = AdvGlowButton_DemandsClick
        Picture.Data = {
          89504E470D0A1A0A0000000D494844520000002100000021080600000057E4C2
          6F000000CE4944415478DA63601805431954AC7A761E88FFE3C1E7E9E188FF84
          30552D5473AB4800E2F740FC1F86897104B27AA8FE044A1CF1DE20A0E17FD594
          9D704C8C2390D583F483CCA1C4116083CE3EFA05C71D5B5EE17500481E593D48
          3FC81CAA3A82543CFC1C71FEDEDBFF778ECE0363107B401C01B2FCC3020D3006
          B1779C7BF53F2077064E0CD337FC1C3128A2635024CC13F77EFE5F71EA231883
          D803E20890E5B00209C41E903431281C3128A26334618E26CCD18439EA08621B
          BAA4626A3474319AFC6460CA9AFCA3604402007D5598D230F3C42C0000000049
          454E44AE426082
          }
      end
      object AdvToolBarSeparator3: TAdvToolBarSeparator
        Left = 2
        Top = 234
        Width = 120
        Height = 10
      end
      object AdvGlowButton_Contacts: TAdvGlowButton
        Left = 2
        Top = 244
        Width = 120
        Height = 43
        Caption = 'Contacts'
        FocusType = ftHot
        GroupIndex = 1
        Layout = blGlyphLeftAdjusted
        NotesFont.Charset = DEFAULT_CHARSET
        NotesFont.Color = clWindowText
        NotesFont.Height = -11
        NotesFont.Name = 'Tahoma'
        NotesFont.Style = []
        TabOrder = 5
        OnClick = AdvGlowButton_ContactsClick
        Picture.Data = {
          89504E470D0A1A0A0000000D494844520000002100000021080600000057E4C2
          6F000001474944415478DA63601805A360380135B70A05202E00E20628AD404F
          CB0580B81F88FF1B0434FC0FC89D01A6417CA8B8003D1CB11F6469DF8A93FFCF
          3EFA05C7203ED431FB69ED8004908FD71D7D84E20018068943432481968E389F
          DAB012AB036018240F52474B47FC9FB9F1225E4780E441EA86BD230645740C7C
          C21C145974D0145683A2D81E0548E9019443D683B221341DC0F079A878024DD2
          05D47250DCBF0759681AD9FBDFAB68C57FFF8AF5700CE283C4A10E7A0F552F40
          2D071800F17D6D9F7AB06579F36EFCAF58F50C2706C983D481D483F481F453C3
          01EF413E24643936C74043E63DD90E814601D801C54BEE93E4001806E9437288
          00398E980F0A52721D80EC1068D4CC272714FE87D46DA3C801300C32079A6005
          487144004813A5A1801C1A50470490E20850F6A28A036018EA888621E7884111
          1D039F30074516A577610500C2290A57E31619460000000049454E44AE426082
          }
      end
      object AdvGlowButton_Inbox: TAdvGlowButton
        Left = 2
        Top = 287
        Width = 120
        Height = 43
        Caption = 'Inbox'
        FocusType = ftHot
        GroupIndex = 1
        Layout = blGlyphLeftAdjusted
        NotesFont.Charset = DEFAULT_CHARSET
        NotesFont.Color = clWindowText
        NotesFont.Height = -11
        NotesFont.Name = 'Tahoma'
        NotesFont.Style = []
        TabOrder = 6
        OnClick = AdvGlowButton_InboxClick
        Picture.Data = {
          89504E470D0A1A0A0000000D494844520000002100000021080600000057E4C2
          6F000000E84944415478DA6360180554001F166828007103881E4847DC07E2FF
          207A201DF11F86471D31EA8851478C3A0268910110BF47B6180F06A933A0A543
          88718401AD432481800312E815350D381CD040EF44391FCD01F3072A779C873A
          E0FC4066510168880850D56035B78AFF38B00389E638E0328B284758C54FF9EF
          5FB11E8E4D237B419AF793E888FD207DC8E680CC25DA11200D15AB9EC171CAC4
          532485062C1440FA90CD01994BB6234018EA8BFDC48602483DBA19143B022934
          88C2E8A1401547807048DD369438C68541EAB0E9A78A2328C52439023D77500B
          93943B688D47BB8DA3604800007951872A01C78F340000000049454E44AE4260
          82
          }
      end
      object AdvGlowButton_Outbox: TAdvGlowButton
        Left = 2
        Top = 330
        Width = 120
        Height = 43
        Caption = 'Outbox'
        FocusType = ftHot
        GroupIndex = 1
        Layout = blGlyphLeftAdjusted
        NotesFont.Charset = DEFAULT_CHARSET
        NotesFont.Color = clWindowText
        NotesFont.Height = -11
        NotesFont.Name = 'Tahoma'
        NotesFont.Style = []
        TabOrder = 7
        OnClick = AdvGlowButton_OutboxClick
        Picture.Data = {
          89504E470D0A1A0A0000000D494844520000002100000021080600000057E4C2
          6F000000EE4944415478DA63601805A3808AC06D41800010CF07D103E988F340
          FC1F440F9403E6431D00C3F3E9ED80063407C07003BD1C9080C301309C406B07
          181070000C1BD0D201EF8974C47B9A39048BC3E0160F64161D75C4A823461D41
          5F47A8B955FCC7811D487104483D2EB388728455FC94FFFE15EBE1D834B217A4
          793F1647DC873AE23E1673F683F4219B0332976847803454AC7A06C729134F61
          0D0DA0E50AD01A55015B2880F4219B0332976C478030D417FB898CD2FD20F5E8
          6650EC08A4D0200AA38702551C01C22175DB50E2181706A9C3A69F2A8EA01493
          E408F4DC412D4C52EEA0351EED2C8D82210100520F64A7ED8B6E590000000049
          454E44AE426082
          }
      end
      object AdvToolBarSeparator4: TAdvToolBarSeparator
        Left = 2
        Top = 373
        Width = 120
        Height = 10
      end
      object AdvGlowButton_AddFunds: TAdvGlowButton
        Left = 2
        Top = 383
        Width = 120
        Height = 43
        Caption = 'Add funds'
        FocusType = ftHot
        GroupIndex = 1
        Layout = blGlyphLeftAdjusted
        NotesFont.Charset = DEFAULT_CHARSET
        NotesFont.Color = clWindowText
        NotesFont.Height = -11
        NotesFont.Name = 'Tahoma'
        NotesFont.Style = []
        TabOrder = 8
        OnClick = AdvGlowButton_AddFundsClick
        Picture.Data = {
          89504E470D0A1A0A0000000D494844520000002100000021080600000057E4C2
          6F000001D24944415478DAED563D4B034110CD4FB87F6027A2CDA1622CD2A489
          4D90B39040B08B856273981462B5855A6861656591C55A48A38508962282A4B4
          17AC57F10BD3ACFB8E39D8DBDC45EF6EA308197870ECC7CCBB79B3B35B288C6C
          6423CB61E3952D47C157E828080549103486396798C15918B85A5B979B6B7579
          D0F402E01B631A2166958C72E62A741100C1EE8FA6E5139F8805E6B086C8608F
          6B8B8098A936E5D57E2931B809ACC51ECA8A9B57822E9CDD1E1623419E4FA6E4
          CBE9BC7C3B2B07C037C6F435D84344BA99A5215DFB3280A09FD735D9BBA94780
          31CC9919216958D62C08E8AB3B7DBF58E80B6E026BF43D5423227536E8A8458A
          107FF91D81107A46E083B2E1A725D1C191D36B204E822460AD5E23747C3B6949
          44A440E1FD944008EC3125494B22684259A4889304BEE0F35F92B026C7239F94
          ABDB35596C353E2ADC630A9E82F36B8579CC4B72892F4A15D48400A1A11FD13D
          5E8E04F6CF77031864DA436B56C880F9F7770FBD00315961D6DB366A204E8201
          2444628D64BDC02EF96C5CA0412400CFEA551E4A01FDC3C049D06A84597DD4AC
          EC2CDB2791F679E736365EADCA91E5A13BD76A8C51B1E52FCC3C469D31FF11B5
          40A49DAB5959CE88C8D4B62D1371E8D262A92EB0BFB22F0B222B1069F5C7E900
          00000049454E44AE426082
          }
      end
      object AdvGlowButton_Transactions: TAdvGlowButton
        Left = 2
        Top = 426
        Width = 120
        Height = 43
        Caption = 'Transactions'
        FocusType = ftHot
        GroupIndex = 1
        Layout = blGlyphLeftAdjusted
        NotesFont.Charset = DEFAULT_CHARSET
        NotesFont.Color = clWindowText
        NotesFont.Height = -11
        NotesFont.Name = 'Tahoma'
        NotesFont.Style = []
        TabOrder = 9
        OnClick = AdvGlowButton_TransactionsClick
        Picture.Data = {
          89504E470D0A1A0A0000000D494844520000002100000021080600000057E4C2
          6F0000009F4944415478DA63601805A36024818A55CF0C068323DE0371C0403B
          E23F14F70F064780F07E20162045730210375001FF47C3F7894A275007FCA731
          4E18FC8E1814D1316812E670CBA2D42FAC3E2CD03018D0621BE88000207E3F60
          C10AB4BC1F88FF83F040582E00C4FB610EA0BB2340F10FC4F7911D00C50D54C0
          09C43820018BE5D4C60983DF1183223A064DC21C345974501556E416DBA36014
          0C7900000700830BA75C0E760000000049454E44AE426082
          }
      end
      object AdvToolBarSeparator5: TAdvToolBarSeparator
        Left = 2
        Top = 469
        Width = 120
        Height = 10
      end
      object AdvGlowButton_Hits: TAdvGlowButton
        Left = 2
        Top = 479
        Width = 120
        Height = 43
        Caption = 'Hits statistics'
        FocusType = ftHot
        GroupIndex = 1
        Layout = blGlyphLeftAdjusted
        NotesFont.Charset = DEFAULT_CHARSET
        NotesFont.Color = clWindowText
        NotesFont.Height = -11
        NotesFont.Name = 'Tahoma'
        NotesFont.Style = []
        TabOrder = 10
        OnClick = AdvGlowButton_HitsClick
        Picture.Data = {
          89504E470D0A1A0A0000000D494844520000002100000021080600000057E4C2
          6F0000008B4944415478DAEDD6310A802014C6F14E139DC4B9A3383ABEA33877
          89BA495BABDDE0A55020A24260BD88EFC17F71F1B73CB1EB305F9D5E190A4923
          E61010BF46283B3A1F476909042711104034479869733E8ED212084E222062C4
          6E07E7E3282D81E02402A219A2B48A6F23B297010104109515CD9E579EED5B7F
          CCD5E72ECCC35109B19C103904467A0E27AE771F080745B20000000049454E44
          AE426082
          }
      end
    end
  end
  object WebBrowser_Main: TWebBrowser
    Left = 140
    Top = 0
    Width = 744
    Height = 545
    Align = alClient
    TabOrder = 1
    OnProgressChange = WebBrowser_MainProgressChange
    OnDocumentComplete = WebBrowser_MainDocumentComplete
  end
  object AdvOfficeStatusBar: TAdvOfficeStatusBar
    Left = 0
    Top = 545
    Width = 884
    Height = 19
    AnchorHint = False
    Panels = <
      item
        AppearanceStyle = psLight
        DateFormat = 'dd.MM.yyyy'
        Progress.BackGround = clNone
        Progress.BorderColor = clBlack
        Progress.ShowBorder = False
        Progress.Stacked = False
        Progress.CompletionSmooth = True
        Style = psText
        Text = 'Ready'
        TimeFormat = 'h:mm:ss'
        Width = 225
      end
      item
        AppearanceStyle = psLight
        DateFormat = 'dd.MM.yyyy'
        Progress.BackGround = clNone
        Progress.BorderColor = clBlack
        Progress.ShowBorder = False
        Progress.Stacked = False
        Progress.Indication = piPercentage
        Progress.Min = 0
        Progress.Max = 100
        Progress.Position = 0
        Progress.Level1Perc = 70
        Progress.Level2Perc = 90
        Style = psProgress
        TimeFormat = 'h:mm:ss'
        Width = 100
      end
      item
        AppearanceStyle = psLight
        DateFormat = 'dd.MM.yyyy'
        Progress.BackGround = clNone
        Progress.BorderColor = clBlack
        Progress.ShowBorder = False
        Progress.Stacked = False
        TimeFormat = 'h:mm:ss'
        Width = 130
      end
      item
        AppearanceStyle = psLight
        DateFormat = 'dd.MM.yyyy'
        Progress.BackGround = clNone
        Progress.BorderColor = clBlack
        Progress.ShowBorder = False
        Progress.Stacked = False
        TimeFormat = 'h:mm:ss'
        Width = 50
      end>
    SimplePanel = False
    Styler = AdvOfficeStatusBarOfficeStyler
    URLColor = clBlue
  end
  object XPManifest: TXPManifest
  end
  object AdvToolBarOfficeStyler: TAdvToolBarOfficeStyler
    AdvMenuStyler = AdvMenuOfficeStyler
    Style = bsOffice2007Luna
  end
  object AdvOfficeStatusBarOfficeStyler: TAdvOfficeStatusBarOfficeStyler
    Style = psOffice2007Luna
    PanelAppearanceLight.BorderColor = clNone
    PanelAppearanceLight.TextColorHot = clBlack
    PanelAppearanceLight.TextColorDown = clBlack
    PanelAppearanceLight.TextStyle = []
    PanelAppearanceDark.BorderColor = clNone
    PanelAppearanceDark.TextStyle = []
    AutoThemeAdapt = False
  end
  object AdvMenuOfficeStyler: TAdvMenuOfficeStyler
    AntiAlias = aaNone
    AutoThemeAdapt = False
    Style = osOffice2007Luna
    MenuBorderColor = clSilver
  end
  object AdvMainMenu: TAdvMainMenu
    MenuStyler = AdvMenuOfficeStyler
    Version = '2.5.3.4'
    object File1: TMenuItem
      Caption = 'File'
      object Exit1: TMenuItem
        Caption = 'Exit'
        OnClick = Exit1Click
      end
    end
    object Settings1: TMenuItem
      Caption = 'Settings'
      object Profile1: TMenuItem
        Caption = 'Profile'
        OnClick = Profile1Click
      end
    end
    object Help1: TMenuItem
      Caption = 'Help'
      object FAQ1: TMenuItem
        Caption = 'FAQ'
        OnClick = FAQ1Click
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object Contactadministrator1: TMenuItem
        Caption = 'Contact administrator'
        OnClick = Contactadministrator1Click
      end
      object N2: TMenuItem
        Caption = '-'
      end
      object About1: TMenuItem
        Caption = 'About...'
        OnClick = About1Click
      end
    end
  end
  object ExeInfo1: TExeInfo
  end
end
